#pragma once

class QWidget;

// Width of every sensor tile in a tile area `areaWidth` wide holding
// `tileCount` tiles: one per row below 300, two per row below 800, all in
// one row from 800 on.
int sensorTileWidth(int areaWidth, int tileCount);

// Sizes the tiles (the direct children of `flowLayoutSensors`), flows them
// left to right wrapping into rows, and makes `listBoxItemSensors` as high as
// the lowest tile's bottom (0 without tiles).
void FlowLayoutSensorsResize(QWidget *flowLayoutSensors, QWidget *listBoxItemSensors);
