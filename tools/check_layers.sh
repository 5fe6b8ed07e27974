#!/usr/bin/env bash
# Checks the folders' layers by their includes: the code of each folder
# includes only from its own folder and the folders below it. Any two folders
# that include each other break it too, as one of the two reaches up. Names
# every include that reaches up, or from or into a folder the order leaves
# out, and exits non-zero if there is one.
# Inside a folder, no file may lean on itself through others: a header and
# its source are one piece, and the pieces' includes must not run in a loop
# (a.h includes b.h while b.cpp includes a.h is one).
set -euo pipefail
cd "$(dirname "$0")/.."

# The layers, lowest first.
LAYERS=(sim rules input opponent match protocol live_table net view sound app replay tools tests bench fuzz)

declare -A layer_of
for i in "${!LAYERS[@]}"; do layer_of[${LAYERS[$i]}]=$i; done

# Every source file git knows or would add, whatever the build folders hold.
sources() {
    git ls-files -z --cached --others --exclude-standard -- '*.h' '*.cpp'
}

faults=0
pieces=()  # "includer included", by file name without its extension
fault() {
    echo "$1" >&2
    faults=$((faults + 1))
}

while IFS= read -r hit; do
    file=${hit%%:*}
    header=${hit#*\"}
    header=${header%\"*}
    from=${file%%/*}
    to=${header%%/*}
    if [[ -z ${layer_of[$from]+known} ]]; then
        fault "$file: the folder $from has no place in the layers of tools/check_layers.sh"
    elif [[ -z ${layer_of[$to]+known} ]]; then
        fault "$file includes $header: the folder $to has no place in the layers of tools/check_layers.sh"
    elif ((layer_of[$to] > layer_of[$from])); then
        fault "$file includes $header: $to is a layer above $from"
    fi
    [[ ${file%.*} != "${header%.*}" ]] && pieces+=("${file%.*} ${header%.*}")
done < <(sources | xargs -0 grep -sHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/[^"]*"')

if ! loops=$(printf '%s\n' "${pieces[@]}" | tsort 2>&1 >/dev/null); then
    fault "includes that run in a loop (tsort names its pieces):"$'\n'"$loops"
fi

if ((faults > 0)); then
    echo "$faults fault(s) in the includes" >&2
    exit 1
fi
