// Any bytes as a list database file: opened, every list and item read, the
// subtrees walked and the parked items purged, then closed. Whatever the
// bytes, nothing may crash, hang or leak.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/quillet_identity.h"
#include "common/codepage.h"
#include "crypto/cipher.h"
#include "platform/system/system_startup.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/list_attributes.h"

namespace {

std::string rootDir;

void removeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(rootDir, ignored);
}

bool startDevice() {
    char pattern[] = "/tmp/qp_fuzz_database_XXXXXX";
    if (!mkdtemp(pattern)) return false;
    rootDir = pattern;
    std::atexit(removeRoot);
    device::setProgramIdentity(quilletIdentity());
    device::SystemConfig config;
    config.rootDir = rootDir;
    config.cardDir = rootDir;
    if (!device::systemStartup(config)) return false;
    return setCipherKey("password") == 0;
}

class Names : public ListNameBox {
public:
    std::vector<std::u16string> names;
    int count() override { return static_cast<int>(names.size()); }
    bool textAt(int index, WCHAR* out, int capacity) override {
        if (index < 0 || index >= count() || capacity <= 0) return false;
        std::u16string text = names[static_cast<size_t>(index)].substr(0, static_cast<size_t>(capacity - 1));
        std::char_traits<char16_t>::copy(out, text.c_str(), text.size() + 1);
        return true;
    }
    void reset() override { names.clear(); }
    bool add(const WCHAR* name) override {
        if (names.size() >= 64) return false;
        names.push_back(name);
        return true;
    }
};

void readList(sqlite3* db, const char* name) {
    ListAttributes attributes = defaultListAttributes();
    readListAttributes(db, name, &attributes);
    const ItemTable table{db, name, attributes.bPassword == 1};
    countItems(table);
    LONG* ids = nullptr;
    int count = listAllIds(table, &ids);
    for (int i = 0; i < count && i < 200; ++i) {
        ItemRecord item{};
        item.longID = ids[i];
        readItem(table, &item, ITEM_ALL);
        readItem(table, &item, ITEM_TEXTNOTE);
        LONG* below = nullptr;
        int found = 0;
        collectDescendants(table, ids[i], &below, &found);
        std::free(below);
        nextOrder(table, ids[i]);
        countChildRows(table, ids[i]);
    }
    std::free(ids);
    LONG* below = nullptr;
    int found = 0;
    collectDescendants(table, 0, &below, &found);
    std::free(below);
    sequenceOrder(table, 0, 0);
    purgeParkedItems(db, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = startDevice();
    if (!ready) return 0;
    const std::string host = rootDir + "/My Documents/fuzz.qu2";
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) std::remove((host + suffix).c_str());
    if (FILE* f = std::fopen(host.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }

    sqlite3* db = openListDatabase(u"\\My Documents\\fuzz.qu2");
    if (db) {
        Names box;
        fillListNameBox(db, box);
        char active[40];
        readActiveListName(db, active, sizeof active);
        for (const std::u16string& wide : box.names) {
            char name[40];
            wideToCodePage(wide.c_str(), name, sizeof name);
            readList(db, name);
        }
        WCHAR description[300];
        describeDatabase(db, u"\\My Documents\\fuzz.qu2", description, 300);
        purgeAllLists(db, box);
        closeDatabaseFile(db);
    }
    return 0;
}
