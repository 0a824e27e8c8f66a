// Keeps the program library non-empty while its folders are still filling up.
namespace qp_build { int programLibraryAnchor = 0; }
