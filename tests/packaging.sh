#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under /usr and checks that
# each file lands where the desktop conventions look for it, that the
# desktop entry, AppStream and MIME files pass their validators, that a
# label file is recognised by name and by content, that the installed
# program finds its translations, that the man page lists every option,
# and that uninstalling leaves no file behind.
# usage: packaging.sh BUILD_DIR SOURCE_DIR; exit 77 (skipped) without the tools.
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
id=org.ostrel.tagforge
type=application/x-quillet-label

tools=(desktop-file-validate appstreamcli xmllint update-mime-database mimetype identify)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (make deps installs it)"; exit 77; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A component of its own keeps install_manifest.txt for `make install`.
DESTDIR=$stage cmake --install "$build" --component tagforge --prefix /usr >/dev/null || { echo "FAIL: install"; exit 1; }
root=$stage/usr

expected=(bin/tagforge share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/mime/packages/$id.xml share/man/man1/tagforge.1.gz share/icons/hicolor/scalable/apps/$id.svg)
for size in 16 22 24 32 48 64 128 256; do
    expected+=(share/icons/hicolor/${size}x$size/apps/$id.png)
done
for ts in "$source"/resources/translations/tagforge_*.ts; do
    expected+=(share/tagforge/translations/$(basename "${ts%.ts}").qm)
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort) ||
    fail "installed files differ from the expected ones (< expected, > installed)"

for png in "$root"/share/icons/hicolor/*x*/apps/$id.png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    [[ $(identify -format '%wx%h' "$png") == "$folder" ]] || fail "$png is not $folder"
done

desktop=$root/share/applications/$id.desktop
desktop-file-validate --no-hints "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tagforge %f' "$desktop" || fail "desktop entry does not start tagforge with the file"
grep -qx "MimeType=$type;" "$desktop" || fail "desktop entry does not name $type"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry names another icon"

metainfo=$root/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >/dev/null || { appstreamcli validate --no-net "$metainfo"; fail "AppStream"; }
version=$(QT_QPA_PLATFORM=offscreen "$root/bin/tagforge" --version 2>/dev/null | awk '{print $2}')
grep -q "<release version=\"$version\"" "$metainfo" || fail "AppStream metadata has no release $version"

mime=$root/share/mime
xmllint --noout "$mime/packages/$id.xml" || fail "xmllint"
XDG_DATA_DIRS=$root/share update-mime-database "$mime" || fail "update-mime-database"
cp "$source/examples/parts.qlt" "$stage/label-without-extension"
printf 'not a label' > "$stage/text.qlt"
for file in "$source/examples/parts.qlt" "$stage/label-without-extension" "$stage/text.qlt"; do
    found=$(XDG_DATA_HOME=$stage/none XDG_DATA_DIRS=$root/share:/usr/share mimetype --brief "$file")
    [[ $found == "$type" ]] || fail "$(basename "$file") is $found, not $type"
done
find "$mime" -mindepth 1 -maxdepth 1 ! -name packages -exec rm -rf {} +

# A new user's store names Chinese; the warning comes out of the installed .qm.
home=$stage/home
printf 'not a label' > "$stage/junk.qlt"
warning=$(HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$stage QT_QPA_PLATFORM=offscreen \
    "$root/bin/tagforge" --print "$stage/junk.qlt" 2>&1)
[[ $warning == *"junk.qlt 不是 tagforge 文件"* ]] || fail "installed program speaks no Chinese: $warning"

man=$(zcat "$root/share/man/man1/tagforge.1.gz")
options=$(QT_QPA_PLATFORM=offscreen "$root/bin/tagforge" --help 2>/dev/null | grep -o -- '--[a-z]\+' | sort -u)
for option in $options; do
    grep -qF -- "${option//-/\\-}" <<<"$man" || fail "man page lacks $option"
done
for code in 0 1 2 3; do
    sed -n '/^\.SH EXIT STATUS/,/^\.SH FILES/p' <<<"$man" | grep -qx "\.B $code" || fail "man page lacks exit code $code"
done

"$source/scripts/uninstall" "$build/install_manifest_tagforge.txt" /usr "$stage" >/dev/null || fail "uninstall"
left=$(find "$root" -type f)
[[ -z $left ]] || fail "uninstall left $left"

[[ $failures -eq 0 ]] || exit 1
echo "packaging: all checks passed"
