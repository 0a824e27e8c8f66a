// How the item table files assemble their statements: each statement is
// written once, as a template, and this is the one place that decides
// between the plain and the enciphered form of its texts.
//
// In a template, '@' stands for the table's name (written between the
// template's single quotes, its quotes doubled), '#' for a text value (bound;
// "bfencrypt(?)" on an enciphered list, "?" otherwise), and "$strText" or
// "$strNoteText" for a text column read back ("bfdecrypt(strText)" or
// "strText"). Every other value is a "?" bound in order.
#pragma once

#include <string>

#include "storage/statements.h"

namespace item_sql {

// Whether the list's texts are stored enciphered.
bool enciphered();
// The statement's text for `listName`.
std::string assemble(const char* templ, const char* listName);
// The prepared statement (kept while a StatementReuse is open).
inline Statement prepare(sqlite3* db, const char* listName, const char* templ) {
    return Statement(db, assemble(templ, listName));
}
// 1 when the connection and the list's table are there.
bool tableReady(sqlite3* db, const char* listName);

}  // namespace item_sql
