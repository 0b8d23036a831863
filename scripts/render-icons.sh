#!/usr/bin/env bash
# Renders the PNG icons kept in packaging/icons/ from packaging/lumograph.svg.
# Run it after changing the drawing; it needs rsvg-convert (Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging"

for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" lumograph.svg --output "icons/lumograph-$size.png"
done
