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

#include "storage/item_table.h"
#include "storage/statements.h"

namespace item_sql {

// The statement's text for `table`.
std::string assemble(const char* templ, const ItemTable& table);
// The prepared statement (kept while a StatementReuse is open).
inline Statement prepare(const ItemTable& table, const char* templ) { return Statement(table.db, assemble(templ, table)); }
// True when the connection and the list's table are there.
bool tableReady(const ItemTable& table);

}  // namespace item_sql
