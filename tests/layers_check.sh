#!/usr/bin/env bash
# No include runs back up: a folder uses only the folders before it in this
# order, and the lesson uses no Qt GUI module.
set -euo pipefail
cd "$1"
order=(runtime resources neuron lesson ui_common chart info decision worked_step workbench app)
status=0
for ((i = 0; i < ${#order[@]}; i++)); do
    folder=${order[$i]}
    allowed=" ${order[*]:0:$((i + 1))} "
    while IFS=: read -r file line include; do
        used=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$include")
        if [[ " ${order[*]} " == *" $used "* && "$allowed" != *" $used "* ]]; then
            echo "$file:$line: $folder/ includes $used/"
            status=1
        fi
    done < <(grep -rnE '#include "[a-z_]+/' "$folder" --include='*.h' --include='*.cpp' || true)
done
if grep -rnE '#include <Q(Widget|Gui|Painter|Pixmap|Image|Font|Application)' lesson neuron; then
    echo "the lesson and the neuron use no Qt GUI module"
    status=1
fi
exit $status
