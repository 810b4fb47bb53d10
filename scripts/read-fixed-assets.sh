#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program on a virtual display with an accessibility bus and a store of three
# fixed assets, and reads the fixed-asset register over AT-SPI (needs xvfb, at-spi2-core,
# python3-pyatspi). Usage: scripts/read-fixed-assets.sh [path/to/pennyloom]
set -euo pipefail
binary=${1:-build/pennyloom}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
here=$(cd "$(dirname "$0")" && pwd)

# Let the program lay down its file, then add the assets.
PENNYLOOM_DATA_DIR=$data QT_QPA_PLATFORM=offscreen timeout 5 "$binary" >/dev/null 2>&1 || true
now=$(($(date +%s) * 1000))
sqlite3 "$data/pennyloom.sqlite" <<SQL
INSERT INTO FixedAsset VALUES ('0a1b2c3d-0000-4000-8000-000000000001', '电子设备', '笔记本电脑', 12000, $now, 60, '', $now);
INSERT INTO FixedAsset VALUES ('0a1b2c3d-0000-4000-8000-000000000002', '家具家电', '冰箱', 3999, $now, 96, '厨房', $now);
INSERT INTO FixedAsset VALUES ('0a1b2c3d-0000-4000-8000-000000000003', '交通工具', '电动车', 2600, $now, 36, '', $now);
SQL

export PENNYLOOM_DATA_DIR=$data
dbus-run-session -- xvfb-run -a -s '-screen 0 1600x1000x24' bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$0" &
  program=$!
  /usr/bin/python3 "$1/read-fixed-assets.py"
  status=$?
  kill $program
  exit $status' "$binary" "$here"
