// Writes a list database of the big-list shape (bench/shaped_list.h), for the
// whole-run measurements of peak_memory.py and for trying a big list by hand:
//
//     bench_make_shaped_list FILE.qu2 ITEMS [LIST]
//
// The file gets the schema of a fresh database and one list (default "Big"),
// active, with the default attributes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shaped_list.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE.qu2 ITEMS [LIST]\n", argv[0]);
        return 2;
    }
    bench::ShapedList shape;
    if (!bench::makeShapedDatabase(argv[1], std::atol(argv[2]), argc > 3 ? argv[3] : "Big", &shape)) {
        std::fprintf(stderr, "cannot write the list into %s\n", argv[1]);
        return 1;
    }
    std::printf("%ld items, branch %ld of %ld items, last item %ld\n", shape.items, shape.branchRoot,
                shape.branchItems, shape.lastItem);
    return 0;
}
