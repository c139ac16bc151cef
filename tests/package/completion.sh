#!/usr/bin/env bash
# tessaro-cli's bash completion, called as bash calls it on Tab: every command
# and option that `tessaro-cli --help` names is offered, the model names and
# the flash-style choices, and for each argument only files of its kind.
#   completion.sh COMPLETION_SCRIPT TESSARO_CLI
set -u
script=$1
cli=$2
source /usr/share/bash-completion/bash_completion 2>/dev/null ||
    { echo "bash-completion is not installed (bash scripts/install-deps.sh)"; exit 1; }
source "$script"

faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

# Prints the offers, one a line, for the command line "tessaro-cli WORDS...",
# the last word being the one completed; PROGRAM is what answers --help.
offers() { # PROGRAM WORDS...
    local program=$1
    shift
    COMP_WORDS=(tessaro-cli "$@")
    COMP_CWORD=$#
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _tessaro_cli "$program" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort
}

# expect "WORDS..." "offered..." ["not offered..."]
expect() {
    local line=$1 want=$2 unwanted=${3-} got word words
    read -ra words <<<"$line"
    [[ -z $line || $line == *' ' ]] && words+=('') # the word being completed is empty
    got=$(offers "$cli" "${words[@]}")
    for word in $want; do
        grep -qxF -- "$word" <<<"$got" || fault "'tessaro-cli $line<Tab>' does not offer '$word' (offers: $(echo $got))"
    done
    for word in $unwanted; do
        grep -qxF -- "$word" <<<"$got" && fault "'tessaro-cli $line<Tab>' offers '$word' (offers: $(echo $got))"
    done
}

help=$("$cli" --help) || { echo "$cli --help failed"; exit 1; }
commands=$(sed -n 's/^ *tessaro-cli \([a-z][a-z0-9-]*\).*/\1/p' <<<"$help")
[[ $(wc -w <<<"$commands") -ge 5 ]] || { echo "no commands found in tessaro-cli --help"; exit 1; }

# Every command, from its first two letters, and every option of its usage line.
for command in $commands; do
    expect "${command:0:2}" "$command"
    usage=$(grep -E "^ *tessaro-cli $command( |$)" <<<"$help")
    options=$(grep -oE '\[--?[a-z][a-z0-9-]*' <<<"$usage" | tr -d '[')
    expect "$command -" "$options --progress"
done
expect "" "--help --version $commands"

# Values of options.
expect "report x.mdx --model " "9000 pro"
expect "check x.mdx --for " "9000 pro"

# Files by kind, in a folder holding one file of each.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
mkdir sets
touch MDB.BUP MDB_Pro.bup mine.mdx notes.txt sheet.csv STYLES.bup disk1.img
expect "report " "MDB.BUP MDB_Pro.bup mine.mdx disk1.img sets" "notes.txt sheet.csv"
expect "ls " "disk1.img sets" "mine.mdx MDB.BUP notes.txt"
expect "new-image x.img --size " "720 1440"
expect "report mine.mdx --flash " "factory default STYLES.bup sets" "notes.txt mine.mdx"
expect "report mine.mdx -o " "notes.txt"
expect "diff mine.mdx " "MDB.BUP mine.mdx" "notes.txt"
expect "import " "sheet.csv sets" "mine.mdx MDB.BUP"
expect "export mine.mdx -o " "sheet.csv" "mine.mdx"
expect "list mine.mdx " "" "MDB.BUP mine.mdx notes.txt"
expect "info --progress " "mine.mdx" "notes.txt"

# A command that a later tessaro-cli adds is completed without a change to the script.
cat >"$folder/later-cli" <<EOF
#!/bin/sh
"$cli" --help
echo '  tessaro-cli fixture-only FILE [--fixture-option 720|1440]'
EOF
chmod +x "$folder/later-cli"
cli=$folder/later-cli
expect "fix" "fixture-only"
expect "fixture-only -" "--fixture-option --progress"
expect "fixture-only x.mdx --fixture-option " "720 1440"
expect "fixture-only " "mine.mdx" "notes.txt"

if ((faults)); then
    echo "$faults fault(s) in the completion of tessaro-cli"
    exit 1
fi
echo "completion: $(wc -w <<<"$commands") commands with their options and file kinds"
