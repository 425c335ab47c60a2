'use strict';
// Day/night mask sheet 179, night overlay 180, clock dial mask 148 and dial image 149.

const { Picture, Bitmask } = require('./bmp');
const { lonToX, W: MAP_W } = require('./worldmap');

const CELL_W = 96;
const CELL_H = 82;
const CELL_COLUMNS = [0, 98, 195, 292, 389, 486];
const CELL_ROWS = [0, 84, 168, 252]; // hours 12-17, 18-23, 0-5, 6-11
const SHEET_W = 582;
const SHEET_H = 335;

// The cell of local hour h: rows by groups of six hours, columns in hour order.
function cellOrigin(hour) {
  const row = [2, 3, 0, 1][Math.floor(hour / 6)];
  return [CELL_COLUMNS[hour % 6], CELL_ROWS[row]];
}

// Each cell is stretched over the whole map, so cell x = map x * 96 / 578.
// The daylight oval of local hour h is centred on the meridian where the sun
// stands at noon for a clock on Japan Standard Time (135 E at 12:00), moving
// 15 degrees westwards per hour: at hour 12 it sits near the middle of the cell
// (x 45 of 96), at 17 near the left edge, and from 18 to 4 it wraps round.
const OVAL_HALF_W = 21.5;   // the oval is 43 pixels wide
const OVAL_HALF_H = 39.5;   // and 79 of the cell's 82 rows high
const OVAL_CY = 41;

function ovalCentreX(hour) {
  const lon = 135 - 15 * (hour - 12);
  const mapX = ((lonToX(lon) % MAP_W) + MAP_W) % MAP_W;
  return mapX * CELL_W / MAP_W;
}

function hash(x, y, seed) {
  let h = (x * 374761393 + y * 668265263 + seed * 982451653) | 0;
  h = Math.imul(h ^ (h >>> 13), 1274126177);
  h ^= h >>> 16;
  return (h >>> 0) / 4294967296;
}

// Night texture. The program ANDs the stretched cell into the map, so the night
// side keeps only the colour bits that the texture has: with RGB(14, 84, 138)
// the sea (blue >= 128, green 64-127) stays a dark blue and the land (blue < 128,
// green >= 128) turns almost black. A texture made of random shades that vary the
// base colour by clearing some of its bits (never adding any) stays a gentle grain
// on the map instead of a speckle of unrelated colours. Never white.
const NIGHT_SHADES = [
  [[14, 84, 138], 0.62],
  [[14, 80, 138], 0.12],
  [[14, 84, 136], 0.1],
  [[12, 84, 130], 0.08],
  [[14, 68, 138], 0.05],
  [[10, 80, 136], 0.03],
];

function nightColour(x, y, hour) {
  let u = hash(x, y, 100 + hour);
  for (const [c, p] of NIGHT_SHADES) {
    if (u < p) return c;
    u -= p;
  }
  return NIGHT_SHADES[0][0];
}

function makeMaskSheet() {
  const sheet = new Picture(SHEET_W, SHEET_H, [0, 0, 0]); // black grid lines between cells
  for (let hour = 0; hour < 24; hour++) {
    const [ox, oy] = cellOrigin(hour);
    const cx = ovalCentreX(hour);
    for (let y = 0; y < CELL_H; y++) {
      for (let x = 0; x < CELL_W; x++) {
        // Distance to the oval, measured with the cell wrapping round left and right.
        let dx = (x + 0.5) - cx;
        dx -= CELL_W * Math.round(dx / CELL_W);
        const dy = (y + 0.5) - OVAL_CY;
        const r = Math.hypot(dx / OVAL_HALF_W, dy / OVAL_HALF_H);
        const night = nightColour(ox + x, oy + y, hour);
        // A hard edge: in-between colours would AND into stray colours on the map.
        const c = r <= 1 ? [255, 255, 255] : night;
        sheet.set(ox + x, oy + y, c);
      }
    }
  }
  return sheet;
}

function makeNightOverlay() {
  return new Bitmask(CELL_W, CELL_H, 0);
}

// 3 x 5 pixel digits.
const DIGITS = {
  '1': ['010', '110', '010', '010', '111'],
  '2': ['111', '001', '111', '100', '111'],
  '3': ['111', '001', '011', '001', '111'],
  '6': ['111', '100', '111', '101', '111'],
  '9': ['111', '101', '111', '001', '111'],
};

const DIAL_W = 40;
const DIAL_H = 39;
const HAND_CX = 20;
const HAND_CY = 18;

function drawText(mask, text, left, top) {
  let x = left;
  for (const ch of text) {
    const rows = DIGITS[ch];
    rows.forEach((row, dy) => {
      for (let dx = 0; dx < 3; dx++) if (row[dx] === '1') mask.set(x + dx, top + dy, 0);
    });
    x += 4;
  }
}

// Dial marks, black on white, around the hands' centre (20, 18).
function makeDialMask() {
  const mask = new Bitmask(DIAL_W, DIAL_H, 1);
  drawText(mask, '12', HAND_CX - 3, HAND_CY - 17);  // x 17-23, y 1-5
  drawText(mask, '3', HAND_CX + 14, HAND_CY - 2);   // x 34-36
  drawText(mask, '6', HAND_CX - 1, HAND_CY + 14);   // y 32-36
  drawText(mask, '9', HAND_CX - 16, HAND_CY - 2);   // x 4-6
  // Dots at the other eight hours, on a circle of radius 15.
  for (let h = 1; h < 12; h++) {
    if (h % 3 === 0) continue;
    const a = h * Math.PI / 6;
    const x = Math.round(HAND_CX + 15.5 * Math.sin(a));
    const y = Math.round(HAND_CY - 15.5 * Math.cos(a));
    mask.set(x, y, 0);
  }
  // The centre dot: a small plus under the hands' pivot.
  for (const [dx, dy] of [[0, 0], [1, 0], [-1, 0], [0, 1], [0, -1]]) {
    mask.set(HAND_CX + dx, HAND_CY + dy, 0);
  }
  return mask;
}

function makeDialImage() {
  return new Bitmask(DIAL_W, DIAL_H, 0);
}

module.exports = {
  makeMaskSheet, makeNightOverlay, makeDialMask, makeDialImage, cellOrigin, ovalCentreX,
};
