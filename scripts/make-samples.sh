#!/bin/sh
# Builds samples/FW.hex and samples/UI.hex from samples/src with sdcc and srecord (Debian packages
# sdcc and srecord). Both files get CR LF line ends, as they arrive from the Windows build
# machines; the loaders accept LF as well.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/samples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

crlf() { sed 's/$/\r/'; }

# Firmware: the program at 0x8000 and the boot stub at 0x0000, merged into one file of 16-byte
# records with 16-bit addresses, so the only record below 0x8000 besides the stub's is the end
# record.
sdcc -mmcs51 --code-loc 0x8000 -o "$work/firmware.ihx" "$root/samples/src/firmware.c" >/dev/null
sdcc -mmcs51 -o "$work/boot.ihx" "$root/samples/src/boot.c" >/dev/null
srec_cat -disable-sequence-warnings "$work/firmware.ihx" -intel "$work/boot.ihx" -intel \
  -o - -intel -address-length=2 -output_block_size=16 | crlf >"$out/FW.hex"

# Parameters: 0x10 to 0xFF, the area between the flash header record and the firmware, in
# 16-byte records; then the 12-byte header record, which the station reads as ":0C0000" directly
# followed by the 24 digits of the header, goes in front.
header=6C1405E20100012C00F00050
srec_cat -generate 0x0010 0x0100 -repeat-string "KORVANE-UVC-CAM-PARAMS/" \
  -o - -intel -address-length=2 -output_block_size=16 >"$work/params.hex"
{
  echo ":0C0000$header"
  cat "$work/params.hex"
} | crlf >"$out/UI.hex"

# Every data record of the parameter file is 43 characters.
if awk 'substr($0, 1, 7) != ":0C0000" && substr($0, 1, 11) != ":00000001FF" \
        && length($0) != 44 { bad = 1 } END { exit !bad }' "$out/UI.hex"; then
  echo "make-samples: a parameter record is not 43 characters" >&2
  exit 1
fi
echo "wrote $out/FW.hex and $out/UI.hex"
