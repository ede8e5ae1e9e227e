#!/usr/bin/env bash
# The Windows programs need only Windows' own DLLs: the C and C++ runtimes are
# linked in, so a DLL outside this list would be missing on a user's machine.
# Usage: check_imports.sh OBJDUMP PROGRAM.exe...
set -u
objdump=$1
shift
allowed="kernel32.dll user32.dll gdi32.dll opengl32.dll glu32.dll ole32.dll shell32.dll msvcrt.dll"
status=0
for program in "$@"; do
    imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' |
        tr 'A-Z' 'a-z' | sort -u)
    [ -n "$imports" ] || { echo "FAIL: $program: no imports read"; status=1; continue; }
    for dll in $imports; do
        case " $allowed " in
        *" $dll "*) ;;
        *) echo "FAIL: $program imports $dll, which Windows does not ship"; status=1 ;;
        esac
    done
    [ $status -eq 0 ] && echo "ok: $(basename "$program") imports only $(echo $imports)"
done
exit "$status"
