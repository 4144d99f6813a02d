# The demo's compiler for F4: Debian's gcc compiles the file Quarry names. Its messages go to
# the error file Quarry reads afterwards (the source's name with the extension ERR) and to the
# build output panel. Quarry runs scripts through the shell, so this one needs no execute bit.
src=$1
base=${src%.*}
LC_ALL=C gcc -Wall -c -o "$base.o" "$src" 2>"$base.ERR"
status=$?
cat "$base.ERR" >&2
exit $status
