#!/usr/bin/env bash
# Renders the scalable icon into the PNG sizes a desktop looks for. Run once
# after changing the SVG, from anywhere; the PNGs are kept in the repository,
# so that a build needs no SVG renderer. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons/hicolor"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" scalable/apps/org.kosmolux.Kosmolux.svg \
    --output "${size}x${size}/apps/org.kosmolux.Kosmolux.png"
done
