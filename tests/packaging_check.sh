#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metadata, then installs the
# build into a scratch DESTDIR and checks that a desktop would find
# everything it needs there, the lesson file's type included; where lintian
# is installed, builds the Debian package and lets lintian judge it.
# Usage: packaging_check.sh SOURCE_DIR BUILD_DIR APP_ID VERSION BUILD_TYPE
set -uo pipefail

src=$1 build=$2 id=$3 version=$4 build_type=${5:-}
desktop=$src/resources/$id.desktop
metainfo=$src/resources/$id.metainfo.xml
lesson_type=application/x-tivaro-lesson
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed (scripts/install-deps.sh)"; exit 77; }
done

# Each release of appstreamcli and lintian adds checks and renames others, so
# their verdicts are only meaningful for the releases Debian 12 ships, which
# the metadata is kept clean against. Another release is named and skipped.
same_release() { # TOOL FOUND KNOWN
  case "$2" in
    "$3" | "$3".*) return 0 ;;
    *) echo "SKIP: $1 $2 is not the $3 these checks are written for"; return 1 ;;
  esac
}
appstream_ok=0
same_release appstreamcli "$(appstreamcli --version | sed -n 's/^AppStream version: //p')" 0.16.1 && appstream_ok=1
appstream() { [ "$appstream_ok" -eq 0 ] || appstreamcli "$@"; }

# Validators: errors and warnings fail, hints and infos do not.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
grep -E '(error|warning):' <<<"$out" && fail "desktop entry has warnings"
appstream validate --no-net "$metainfo" || fail "appstreamcli validate"

# The pieces that tie desktop entry, metadata and icons together.
key() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
exec_name=$(key Exec | cut -d' ' -f1)
icon_name=$(key Icon)
[ "$(key Name)" = Tivaro ] || fail "desktop Name is '$(key Name)'"
grep -q '^Categories=Education;' "$desktop" || fail "main category is not Education"
[ "$(key StartupWMClass)" = "$exec_name" ] || fail "StartupWMClass is not the window class $exec_name"
[ "$icon_name" = "$id" ] || fail "Icon is '$icon_name', not the application id"
for lang in de sk; do
  grep -q "^Comment\[$lang\]=." "$desktop" || fail "no Comment[$lang]"
done
[ "$(key MimeType)" = "$lesson_type;" ] || fail "desktop MimeType is '$(key MimeType)'"
[ "$(key Exec)" = "$exec_name %f" ] || fail "Exec '$(key Exec)' does not hand over one file (%f)"
grep -q "<mediatype>$lesson_type</mediatype>" "$metainfo" || fail "metainfo provides no $lesson_type"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "metainfo launchable does not name $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" \
  || fail "metainfo has no release entry for version $version"

# Installing, and so cpack, must not build the tests first.
if [ -f "$build/Makefile" ] && grep -q '^preinstall: all' "$build/Makefile"; then
  fail "installing builds every target, the tests included"
fi

# Install as a package would: prefix /usr under a DESTDIR in the build tree.
stage=$build/packaging-test
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null \
  || { fail "cmake --install"; echo "$failures failure(s)"; exit 1; }
root=$stage/usr
share=$root/share

[ -x "$root/bin/$exec_name" ] || fail "Exec=$exec_name is not installed in bin"
[ -f "$share/applications/$id.desktop" ] || fail "desktop entry not installed"
[ -f "$share/metainfo/$id.metainfo.xml" ] || fail "metainfo not installed"
[ -f "$share/mime/packages/$id.xml" ] || fail "lesson file type not installed"
[ -f "$share/doc/tivaro/copyright" ] || fail "copyright not installed"
[ -f "$share/doc/tivaro/changelog.gz" ] || fail "changelog not installed"
[ -f "$share/man/man1/$exec_name.1.gz" ] || fail "manual page not installed"
[ -f "$share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "scalable icon missing"

# A PNG's width and height are big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon_name.png
  if [ ! -f "$png" ]; then fail "icon ${size}x${size} missing"; continue; fi
  got=$(png_size "$png")
  [ "$got" = "${size}x${size}" ] || fail "icon in ${size}x${size} is $got"
done

# Cross-checks the installed metadata against the installed desktop entry.
appstream validate-tree --no-net "$stage" || fail "appstreamcli validate-tree"

# A desktop's view of the installed tree, its caches built as Debian's
# triggers build them: a lesson file is known by its extension alone, a file
# without one by its first key, other JSON is left alone, and a double-click
# opens Tivaro.
if command -v update-mime-database >/dev/null && command -v update-desktop-database >/dev/null \
  && command -v gio >/dev/null; then
  desk=$build/packaging-test-desktop
  rm -rf "$desk"
  mkdir -p "$desk/data/mime" "$desk/home" "$desk/files"
  cp -r "$share/mime/packages" "$desk/data/mime/"
  cp -r "$share/applications" "$desk/data/"
  # The system's types stay visible, as on a desktop; the user's own do not.
  as_desktop() {
    env LC_ALL=C GIO_USE_VFS=local PATH="$root/bin:$PATH" XDG_DATA_HOME="$desk/home" \
      XDG_CONFIG_HOME="$desk/home" XDG_CONFIG_DIRS="$desk/home" \
      XDG_DATA_DIRS="$desk/data:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" "$@"
  }
  out=$(as_desktop update-mime-database "$desk/data/mime" 2>&1) && [ -z "$out" ] || fail "update-mime-database: $out"
  out=$(update-desktop-database "$desk/data/applications" 2>&1) && [ -z "$out" ] || fail "update-desktop-database: $out"
  type_of() { as_desktop gio info -a standard::content-type "$desk/files/$1" | sed -n 's/^ *standard::content-type: //p'; }
  printf '{\n    "format": "tivaro-lesson",\n    "version": 1\n}\n' >"$desk/files/x.tivaro"
  printf ' {"version":1,"format":"tivaro-lesson"}' >"$desk/files/other-key-first.tivaro"
  cp "$desk/files/x.tivaro" "$desk/files/no-extension"
  printf '{"format": "tivaro-lesson-notes"}' >"$desk/files/other-json"
  for file in x.tivaro other-key-first.tivaro no-extension; do
    got=$(type_of "$file")
    [ "$got" = "$lesson_type" ] || fail "$file is taken for '$got'"
  done
  [ "$(type_of other-json)" != "$lesson_type" ] || fail "other JSON is taken for a lesson file"
  default=$(as_desktop gio mime "$lesson_type" | sed -n 's/^Default application.*: //p')
  [ "$default" = "$id.desktop" ] || fail "a lesson file opens '$default', not $id.desktop"
else
  echo "note: update-mime-database, update-desktop-database or gio missing; the lesson file's type is not looked up"
fi

# The Debian package itself, where lintian is installed: no error, no warning.
# Only release builds are hardened, so only they are packaged and judged.
if [ "$build_type" != Release ] && [ "$build_type" != RelWithDebInfo ]; then
  echo "note: a ${build_type:-default} build is not packaged; lintian judges release builds"
elif ! command -v lintian >/dev/null; then
  echo "note: lintian not installed, the .deb is not checked"
elif same_release lintian "$(lintian --version | sed -n 's/^Lintian v//p')" 2.116; then
  debs=$build/packaging-test-deb
  rm -rf "$debs"
  if cpack --config "$build/CPackConfig.cmake" -G DEB -B "$debs" >"$debs.log" 2>&1; then
    out=$(lintian --fail-on none "$debs"/*.deb 2>&1)
    grep -E '^[EW]:' <<<"$out" && fail "lintian reports errors or warnings"
  else
    fail "cpack: $(tail -n 5 "$debs.log")"
  fi
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "packaging checks passed"
