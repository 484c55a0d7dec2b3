#!/usr/bin/env bash
# The Windows build, checked from Linux: cross-compiles QVRaceInstaller.exe,
# qvrace.exe and its map reader for 32-bit Windows with MinGW-w64 and links them against StormLib's
# header and an import library for StormLib.dll made here from the StormLib
# functions that the engine calls. Nothing is run; the programs must compile and
# link, and be 32-bit Windows programs that import StormLib.dll.
#
#   check-mingw.sh NATIVE_BUILD_DIR [OUTPUT_DIR]     (default: NATIVE_BUILD_DIR/mingw)
#
# The native build supplies the icon generator, which a cross build can't run.
set -euo pipefail
native=$(realpath "${1:?usage: $0 NATIVE_BUILD_DIR [OUTPUT_DIR]}")
out=$(realpath -m "${2:-$native/mingw}")
source=$(cd "$(dirname "$0")/.." && pwd)
host=i686-w64-mingw32
jobs=${JOBS:-2}

icon_tool=$native/src/gui/qvgui-make-icon
if [ ! -x "$icon_tool" ]; then
  echo "$icon_tool is missing: build the native tree first" >&2
  exit 1
fi
for tool in $host-g++-posix $host-dlltool $host-nm $host-objdump $host-windres; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (g++-mingw-w64-i686)" >&2; exit 1; }
done

# StormLib for Windows: its header as it is, and an import library.
stormlib=$out/stormlib
mkdir -p "$stormlib/include"
cp /usr/include/StormLib.h /usr/include/StormPort.h "$stormlib/include/"
import_lib=$stormlib/libStormLib.dll.a
[ -f "$import_lib" ] || : >"$import_lib" # made for real once the engine is compiled

build=$out/build
cmake -S "$source" -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DQV_BUILD_TESTS=OFF \
  -DQV_WARNINGS_AS_ERRORS=OFF \
  -DSTORMLIB_INCLUDE_DIR="$stormlib/include" \
  -DSTORMLIB_LIBRARY="$import_lib" \
  -DQV_ICON_TOOL="$icon_tool" >/dev/null
cmake --build "$build" --target qvengine -j "$jobs"

# The functions the engine imports, by their 32-bit stdcall names ("_SFileOpenArchive@16");
# StormLib.dll exports them undecorated, hence --kill-at.
engine=$(find "$build" -name libqvengine.a | head -n1)
{
  echo "LIBRARY StormLib.dll"
  echo "EXPORTS"
  $host-nm -u "$engine" | awk '$2 ~ /^_S(File|Comp)[A-Za-z0-9]*@[0-9]+$/ { print substr($2, 2) }' | sort -u
} >"$stormlib/StormLib.def"
$host-dlltool --kill-at --input-def "$stormlib/StormLib.def" --dllname StormLib.dll --output-lib "$import_lib"
echo "StormLib.dll imports: $(($(wc -l <"$stormlib/StormLib.def") - 2)) functions"

targets=(QVRaceInstaller)
known=$(cmake --build "$build" --target help)
for target in qvrace qvrace-reader; do
  if grep -q "^\.\.\. $target\( \|$\)" <<<"$known"; then targets+=("$target"); fi
done
cmake --build "$build" --target "${targets[@]}" -j "$jobs"

status=0
for target in "${targets[@]}"; do
  exe=$(find "$build" -name "$target.exe" | head -n1)
  if [ -z "$exe" ]; then echo "$target.exe was not built" >&2; status=1; continue; fi
  format=$($host-objdump -f "$exe" | sed -n 's/.*file format //p')
  imports=$($host-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
  echo "$exe: $format; imports $imports"
  [ "$format" = pei-i386 ] || { echo "$target.exe is not a 32-bit Windows program" >&2; status=1; }
  case " $imports " in *" StormLib.dll "*) ;; *) echo "$target.exe does not import StormLib.dll" >&2; status=1 ;; esac
done
exit $status
