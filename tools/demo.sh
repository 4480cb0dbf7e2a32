#!/usr/bin/env bash
# make demo: the sample package (examples/) installed by the x86_64 setup.exe
# under Wine on a fresh prefix and a virtual screen, driven page by page by
# tools/demo/demo_driver.exe, with a picture of every page, one contact
# sheet, and a list of what landed on the machine. Ends non-zero when a step
# fails.
#
#   DEMO_DISPLAY=:0 make demo   the same package on a real X display, to click
#                               through by hand; the listing follows when
#                               setup.exe ends.
#   DEMO_TARGET='C:\...'        the folder the driver types on the target page
#                               (default C:\Korvel Apps\Vantra).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/out/win64"
demo="$top/out/demo"
target=${DEMO_TARGET:-'C:\Korvel Apps\Vantra'}

"$top/tools/deps.sh"
"$top/tools/build.sh"

step() { printf '\n== %s\n' "$*"; }
fail() { echo "demo: $*" >&2; exit 1; }
# A Linux path as Wine sees it (drive Z: is the root of the file system).
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
# A path on the prefix's drive C: as a Linux path.
linux_path() { local p=${1#[Cc]:}; echo "$WINEPREFIX/drive_c${p//\\//}"; }

step "package: out/demo/package"
rm -rf "$demo"
mkdir -p "$demo/package" "$demo/pictures"
python3 "$top/tools/demo/pack.py" "$top/examples" "$build" "$demo/package"

step "Wine: fresh prefix out/demo/wineprefix on a virtual screen"
# shellcheck source=tools/wine-env.sh
source "$top/tools/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start "$demo"
# Wine links the prefix's desktop to the Linux user's own one when it exists;
# the demo's shortcuts belong inside the prefix.
user_dir=$(ls -d "$WINEPREFIX"/drive_c/users/* | grep -v '/Public$' | head -n 1)
for folder in Desktop Documents; do
  if [ -L "$user_dir/$folder" ]; then rm "$user_dir/$folder" && mkdir "$user_dir/$folder"; fi
done

# A fresh prefix opens no document type; a person's machine opens text files
# with a text editor, which is what the finish page's readme box relies on.
"$WINE" reg add 'HKCR\.txt' /ve /d txtfile /f </dev/null >/dev/null 2>&1
"$WINE" reg add 'HKCR\txtfile\shell\open\command' /ve /d 'notepad.exe "%1"' /f \
  </dev/null >/dev/null 2>&1

# Every Windows installation has the table of shared-DLL counts; a fresh Wine
# prefix does not, and setup keeps counts only in an existing table.
"$WINE" reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' /f \
  </dev/null >/dev/null 2>&1

package_win=$(windows_path "$demo/package")
if [ -n "${DEMO_DISPLAY:-}" ]; then
  step "setup.exe on $DEMO_DISPLAY: click through it by hand"
  # A real display has a window manager: let it frame the windows.
  "$WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  (cd "$demo/package" && DISPLAY=$DEMO_DISPLAY "$WINE" setup.exe) || fail "setup.exe failed"
  target=$("$WINE" reg query 'HKLM\Software\Korvel\Vantra' /v kwoAppDir 2>/dev/null |
           tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p' || true)
  [ -n "$target" ] || fail "nothing was installed"
else
  step "setup.exe driven page by page"
  "$WINE" "$build/demo/demo_driver.exe" install "$package_win" \
    "$(windows_path "$demo/pictures")" "$target" </dev/null | tr -d '\r' ||
    fail "the driver could not go through the wizard (see out/demo/pictures)"

  step "pictures: out/demo/pictures, contact sheet out/demo/contact-sheet.png"
  for bmp in "$demo"/pictures/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
  ls "$demo"/pictures/*.png | sed "s|$top/||"
  # Labels need a font file; ImageMagick's default one is often missing.
  font=$(find /usr/share/fonts -name '*.ttf' -o -name '*.ttc' 2>/dev/null | sort | head -n 1)
  montage ${font:+-font "$font"} -pointsize 14 -label '%t' "$demo"/pictures/*.png \
    -tile 4x -geometry 320x240+6+6 -background '#d0d0d0' "$demo/contact-sheet.png"
fi

app=$(linux_path "$target")
step "files under $target"
[ -d "$app" ] || fail "the target folder $target does not exist"
(cd "$app" && find . -type f -printf '%10s  %P\n' | sort -k2)
step "shared and system files"
for file in 'C:\Program Files\Common Files\Korvel\vantrafx.dll' 'C:\windows\system32\vantrafx.dll'; do
  path=$(linux_path "$file")
  [ -f "$path" ] || fail "$file is missing"
  printf '%10s  %s\n' "$(stat -c %s "$path")" "$file"
done

step "registry"
for key in 'HKLM\Software\Korvel\Vantra' 'HKCU\Software\Korvel\Vantra\Settings' \
           'HKCR\.vnt' 'HKCR\Vantra.Workbook' \
           'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantra'; do
  "$WINE" reg query "$key" /s </dev/null | tr -d '\r' | sed '/^$/d' || fail "no registry key $key"
done
"$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' </dev/null |
  tr -d '\r' | grep -i vantrafx || fail "no shared-DLL counts for vantrafx.dll"

step "shortcuts"
"$WINE" "$build/demo/demo_driver.exe" shortcuts </dev/null | tr -d '\r' | tee "$demo/shortcuts.txt"
grep -q 'Korvel Vantra\\Vantra.lnk' "$demo/shortcuts.txt" || fail "no Start menu shortcut"
if [ -z "${DEMO_DISPLAY:-}" ]; then
  grep -q 'Desktop\\Vantra.lnk' "$demo/shortcuts.txt" || fail "no desktop shortcut"
  ! grep -q 'Quick Launch\\Vantra.lnk' "$demo/shortcuts.txt" ||
    fail "a Quick Launch shortcut, although the driver said no"
fi

step "INI entries: $target\\vantra.ini"
[ -f "$app/vantra.ini" ] || fail "vantra.ini is missing"
tr -d '\r' <"$app/vantra.ini"

step "program run after installation: $target\\firstrun.txt"
[ -f "$app/firstrun.txt" ] || fail "the after-install program left no firstrun.txt"
tr -d '\r' <"$app/firstrun.txt"

step "setup.log (decoded)"
[ -f "$app/setup.log" ] || fail "setup.log is missing"
python3 "$top/tools/demo/decode_setup_log.py" "$app/setup.log"

step "removal: $target\\uninstall.exe /S"
# The installed uninstaller reads setup.log, removes what it names and then
# itself; its exit code says how it went: 0 everything removed, 3 items left
# (without questions it keeps a shared DLL that no product counts any more).
status=0
"$WINE" "$target\\uninstall.exe" /S </dev/null || status=$?
echo "uninstall.exe ended with $status"
for i in $(seq 1 50); do [ -d "$app" ] || break; sleep 0.2; done
if [ -d "$app" ]; then
  echo "left in $target:"; (cd "$app" && find . -printf '  %P\n' | sed '/^  $/d')
else
  echo "$target is gone"
fi
"$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantra' \
  </dev/null >/dev/null 2>&1 && fail "the product is still registered for removal"
[ "$status" -eq 0 ] || [ "$status" -eq 3 ] || fail "uninstall.exe reported $status"

step "demo: done"
