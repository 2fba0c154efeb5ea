#!/usr/bin/env bash
# Each manual page lists exactly the options of its program's --help, in
# French and in English: an option added to the program without its entry
# in the pages fails here.
set -u
man_dir="$1"; shift
fail=0
home=$(mktemp -d); trap 'rm -rf "$home"' EXIT   # no language chosen in a user's settings

help_options() {   # PROGRAM LANGUAGE: every option the help names
    LANGUAGE="$2" LANG=C.UTF-8 LC_ALL= HOME="$home" XDG_CONFIG_HOME="$home" QT_QPA_PLATFORM=offscreen "$1" --help \
        | grep -oE -- '--[a-z][a-z-]*' | sort -u
}
page_options() {   # PAGE: the options named by the entries of its lists
    awk '/^\.TP/ { getline; print }' "$1" | grep -oE '(\\-\\-[a-z]([a-z]|\\-)*)' | sed 's/\\-/-/g' | sort -u
}

for program in "$@"; do
    name=$(basename "$program")
    for lang in fr en; do
        expected=$(help_options "$program" "$lang")
        [ -n "$expected" ] || { echo "FAIL $name --help ($lang) lists no option"; fail=1; continue; }
        for page in "$man_dir/$name.1" "$man_dir/fr/$name.1"; do
            found=$(page_options "$page")
            if [ "$expected" != "$found" ]; then
                echo "FAIL $page against --help ($lang):"
                diff <(echo "$expected") <(echo "$found") | sed -n 's/^< /  missing from the page: /p; s/^> /  not in --help: /p'
                fail=1
            fi
        done
    done
    echo "checked $name"
done
exit $fail
