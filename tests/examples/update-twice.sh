#!/bin/sh
# An update with nothing edited changes nothing. Plays an example to its end with its own
# preference and configuration files, its drawings written below out/update-twice/NAME,
# then saves the drawing, runs "Update Dimensions", saves, runs it again and saves. The
# second update must leave every path and text where the first put them; for an example
# whose drawing is up to date when it ends (CHECK "fresh"), so must the first.
#   update-twice.sh PLOTWISE DRAWINGS_AGREE EXAMPLES NAME fresh|edited
set -eu
plotwise=$1 agree=$2 examples=$3 name=$4 check=$5
out=out/update-twice/$name
rm -rf "$out"
mkdir -p "$out/config"
preferences=$out/preferences.json
if [ -f "$examples/$name-preferences.json" ]; then cp "$examples/$name-preferences.json" "$preferences"; fi
sed "s#\([ \"]\)out/#\1$out/#g" "$examples/$name.pws" > "$out/session.pws"
cat >> "$out/session.pws" <<END
save $out/0.json
menu "Update Dimensions"
save $out/1.json
menu "Update Dimensions"
save $out/2.json
END
XDG_CONFIG_HOME="$PWD/$out/config" "$plotwise" run "$out/session.pws" --preferences "$preferences" > "$out/log"
status=0
"$agree" "$out/1.json" "$out/2.json" || status=1
if [ "$check" = fresh ]; then "$agree" "$out/0.json" "$out/1.json" || status=1; fi
exit $status
