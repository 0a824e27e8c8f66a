#!/usr/bin/env bash
# The commands without a window, run on the built executable in a temporary
# device root: lists; export of each format against what Export List wrote
# from the menu; import of each format (a new list named from the file, and
# --into); a protected list; bad command lines; files that are not lists;
# a full store. Usage: command_line_test.sh QUILLET
set -u
quillet=$(realpath "$1")
scratch=$(mktemp -d)
[ -n "${QP_E2E_KEEP:-}" ] && echo "keeping $scratch" || trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
card=$scratch/card
docs=$root/My\ Documents
database=$root/Program\ Files/Quillet\ Pro/quillet.qu2
mkdir -p "$card"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# run STATUS WORDS...: runs a command on the root; its output in $scratch/out
# and $scratch/err.
run() {
    local want=$1
    shift
    "$quillet" --root "$root" --card "$card" "$@" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    [ "$got" = "$want" ] || fail "quillet $* gave status $got, not $want: $(cat "$scratch/err")"
}
same() { cmp -s "$1" "$2" || fail "$1 and $2 differ: $(diff "$1" "$2" | head -5)"; }
says() { grep -qF -- "$1" "$scratch/err" || fail "standard error does not say \"$1\": $(cat "$scratch/err")"; }
lists_are() { run 0 lists && printf "$1" | cmp -s - "$scratch/out" || fail "lists gave: $(cat "$scratch/out")"; }

# --- before the program ever ran: no database, and nothing is made ---------
run 3 lists
says "There is no database yet"
[ -e "$root/Program Files/Quillet Pro/settings.qux" ] && fail "lists made the settings file"

# --- the menus: a list exported in every format, then a protected list -----
"$quillet" --headless --root "$root" --card "$card" --script - >"$scratch/gui.out" 2>&1 <<'SCRIPT' || fail "the menu script failed: $(cat "$scratch/gui.out")"
click "Ok"
click "OK"
type "Groceries"
key Enter
menu "New Item"
type "Milk & <b>*fresh*</b> €3"
key Enter
tree "Milk & <b>*fresh*</b> €3" check
menu "New Item"
type "# Bread ""rye"" [x]"
key Enter
menu "New Sub-Item"
type "Sliced_thin"
key Enter
menu "Item Note"
tree "# Bread ""rye"" [x]/Sliced_thin" label tap
control 6003
type "Baker's <own> & co"
key Enter
type "    - before noon"
menu "File/Export List..."
control 1061
key End
key Back 20
type "menu.txt"
control 1000
menu "File/Export List..."
control 1061
key End
key Back 20
type "menu.opml"
control 1000
menu "File/Export List..."
control 1061
key End
key Back 20
type "menu.md"
control 1000
menu "File/New List..."
type "Safe"
key Enter
menu "New Item"
type "Secret"
key Enter
menu "Options/Set Password/For List..."
type "ab cd"
key Tab
type "ab cd"
key Enter
SCRIPT
lists_are 'Groceries\nSafe\tprotected\n'

# --- export: host paths, a path relative to the current folder, a device path
for format in txt opml md; do
    run 0 export Groceries "$docs/cli.$format"
    same "$docs/menu.$format" "$docs/cli.$format"
done
(cd "$docs" && "$quillet" --root "$root" --card "$card" export groceries relative.md 2>"$scratch/err") ||
    fail "export to a relative path: $(cat "$scratch/err")"
same "$docs/menu.md" "$docs/relative.md"
run 0 export Groceries '\My Documents\device.txt' --db '\Program Files\Quillet Pro\quillet.qu2'
same "$docs/menu.txt" "$docs/device.txt"

# --- a protected list: refused without its password or with a wrong one ----
run 4 export Safe "$card/safe.txt"
says 'The list "Safe" is protected'
run 4 export Safe "$card/safe.txt" --password "wrong one"
says "Password does not match!"
[ -e "$card/safe.txt" ] && fail "a refused export wrote its file"
run 0 export Safe "$card/safe.txt" --password "ab cd"
printf '!Safe\r\nSecret\r\n' | cmp -s - "$card/safe.txt" || fail "the protected list's export: $(cat "$card/safe.txt")"

# --- import: each format into a new list named from the file, read back ----
for format in txt opml md; do
    run 0 import "$docs/cli.$format"
done
lists_are 'Groceries\nGroceries 1\nGroceries 2\nGroceries 3\nSafe\tprotected\n'
n=1
for format in txt opml md; do
    run 0 export "Groceries $n" "$card/back.$format"
    sed "s/Groceries $n/Groceries/" "$card/back.$format" >"$card/back-named.$format"
    same "$docs/menu.$format" "$card/back-named.$format"
    n=$((n + 1))
done
# --into adds to a list (a protected one with its password) or makes it.
printf 'Salt\n\tfine\tX\n' >"$card/more.txt"
run 4 import "$card/more.txt" --into Safe
run 0 import "$card/more.txt" --into safe --password "ab cd"
run 0 import "$card/more.txt" --into Pantry
run 0 export Safe "$card/safe.txt" --password "ab cd"
printf '!Safe\r\nSecret\r\nSalt\r\n\tfine\tX\r\n' | cmp -s - "$card/safe.txt" || fail "import into the protected list: $(cat "$card/safe.txt")"
run 0 export Pantry "$card/pantry.txt"
printf '!Pantry\r\nSalt\r\n\tfine\tX\r\n' | cmp -s - "$card/pantry.txt" || fail "import into a new named list: $(cat "$card/pantry.txt")"
run 2 import "$card/more.txt" --into "Joe's"
says "List name cannot contain single quote characters."

# --- bad command lines ------------------------------------------------------
run 2 export Groceries
run 2 export Groceries "$card/x.txt" --into Safe
run 2 import "$card/more.txt" --colour red
run 2 lists one.qu2 two.qu2
run 2 import "$card/more.txt" --password
run 2 --zoom 2 lists
run 0 --help
grep -q "import IN" "$scratch/out" || fail "--help does not show the commands"

# --- what is not there, and files that are not lists: nothing changes ------
cp "$database" "$scratch/before.qu2"
run 3 export Pantr "$card/x.txt"
says 'There is no list "Pantr"'
run 3 import "$card/missing.txt"
says "Could not open file!"
run 3 lists "$card/missing.qu2"
run 3 export Groceries /nowhere/x.txt
printf '<?xml version="1.0"?>\n<opml version="2.0"><body><outline text="a">\n' >"$card/broken.opml"
run 5 import "$card/broken.opml"
says "The OPML file is broken at line 3"
printf 'Title\n\nJust a paragraph.\n' >"$card/plain.md"
run 5 import "$card/plain.md"
printf '\000\001\002' >"$card/picture.txt"
run 5 import "$card/picture.txt"
says "The selected file is not a text file!"
cmp -s "$database" "$scratch/before.qu2" || fail "a refused import changed the database"
# A full store: the import is refused as the menus refuse it.
run 6 --storage-limit 1K import "$card/more.txt"
says "Failed to create new list!"
lists_are 'Groceries\nGroceries 1\nGroceries 2\nGroceries 3\nPantry\nSafe\tprotected\n'

[ "$failures" = 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all command line checks passed"
