#!/bin/sh
# An update with nothing edited changes nothing. Plays an example to its end with its own
# preference and configuration files, its drawings written below out/update-twice/NAME,
# then saves the drawing (end.json), runs "Update Dimensions", saves (once.json), runs it
# again and saves (twice.json). The second update must leave every path, text and stored
# record as the first left it; for an example whose drawings are up to date when they are
# saved (CHECK "fresh"), so must the first. Then every drawing the example saved is opened in
# a fresh run with the shipped preferences (no preference file, a configuration folder of
# its own), saved as it opened, and updated twice, each update saved beside it (X.json:
# reopened/X.json, X.once.json, X.twice.json): a redraw draws from what the drawing stored,
# so the first update changes nothing in a fresh drawing and the second nothing in any.
# The number format is the user's, not the drawing's: every value shown follows it, so an
# example that ends with comma decimals (NUMBERS "comma") is reopened with that format alone
# besides the shipped preferences.
#   update-twice.sh PLOTWISE DRAWINGS_AGREE EXAMPLES NAME fresh|edited [comma]
set -eu
plotwise=$1 agree=$2 examples=$3 name=$4 check=$5 numbers=${6:-}
out=out/update-twice/$name
rm -rf "$out"
mkdir -p "$out/config" "$out/reopened/config"
preferences=$out/preferences.json
if [ -f "$examples/$name-preferences.json" ]; then cp "$examples/$name-preferences.json" "$preferences"; fi
sed "s#\([ \"]\)out/#\1$out/#g" "$examples/$name.pws" > "$out/session.pws"
cat >> "$out/session.pws" <<END
save $out/end.json
menu "Update Dimensions"
save $out/end.once.json
menu "Update Dimensions"
save $out/end.twice.json
END
XDG_CONFIG_HOME="$PWD/$out/config" "$plotwise" run "$out/session.pws" --preferences "$preferences" > "$out/log"
status=0
"$agree" "$out/end.once.json" "$out/end.twice.json" || status=1
if [ "$check" = fresh ]; then "$agree" "$out/end.json" "$out/end.once.json" || status=1; fi

# Every drawing saved, opened again in one fresh run.
: > "$out/reopened/session.pws"
if [ "$numbers" = comma ]; then
    cat > "$out/reopened/config/preferences.json" <<END
{"format": "plotwise-preferences-1", "preferences": {"ZelmarkPlotwise7": {"numberFormat": {"integer": 1}}}}
END
fi
for drawing in "$out"/*.json; do
    case $drawing in *.once.json | *.twice.json | */preferences.json) continue ;; esac
    base=$out/reopened/$(basename "$drawing" .json)
    cat >> "$out/reopened/session.pws" <<END
open $drawing
save $base.json
menu "Update Dimensions"
save $base.once.json
menu "Update Dimensions"
save $base.twice.json
close
END
done
XDG_CONFIG_HOME="$PWD/$out/reopened/config" "$plotwise" run "$out/reopened/session.pws" \
    --preferences "$out/reopened/config/preferences.json" > "$out/reopened/log"
for drawing in "$out"/*.json; do
    case $drawing in *.once.json | *.twice.json | */preferences.json) continue ;; esac
    base=$out/reopened/$(basename "$drawing" .json)
    "$agree" "$base.once.json" "$base.twice.json" || status=1
    if [ "$check" = fresh ]; then "$agree" "$base.json" "$base.once.json" || status=1; fi
done
exit $status
