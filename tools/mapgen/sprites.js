'use strict';
// Event sprites: aeroplane masks 187 / images 188 and typhoon masks 130 / images 129.
// Masks are 1-bit, black where the sprite is and white elsewhere; the images hold the
// sprite's colours on black, and are black wherever the mask is white, so that
// "mask AND, then image OR" draws the sprite over the map.

const { valueNoise } = require('./noise');
const { Picture, Bitmask } = require('./bmp');

const SS = 5; // samples per pixel and axis when rendering shapes
const SEPARATOR_RED = [255, 0, 0];

// Renders a scene into a frame: scene(x, y) gives the colour at a point of the
// frame (pixel units, origin at the frame's top-left corner) or null outside the
// sprite. A pixel belongs to the sprite when at least half its samples do; its
// colour is the mean of the samples that hit. Edge pixels are darkened a little
// so the outline stays crisp over any part of the map.
function renderFrame(w, h, scene, threshold = 0.5, edgeShade = 0.7) {
  const inside = new Uint8Array(w * h);
  const colour = new Array(w * h).fill(null);
  for (let y = 0; y < h; y++) {
    for (let x = 0; x < w; x++) {
      let n = 0;
      const sum = [0, 0, 0];
      for (let j = 0; j < SS; j++) {
        for (let i = 0; i < SS; i++) {
          const c = scene(x + (i + 0.5) / SS, y + (j + 0.5) / SS);
          if (c) { n++; sum[0] += c[0]; sum[1] += c[1]; sum[2] += c[2]; }
        }
      }
      if (n >= threshold * SS * SS) {
        inside[y * w + x] = 1;
        colour[y * w + x] = sum.map(v => v / n);
      }
    }
  }
  if (edgeShade < 1) {
    for (let y = 0; y < h; y++) {
      for (let x = 0; x < w; x++) {
        if (!inside[y * w + x]) continue;
        const edge = [[1, 0], [-1, 0], [0, 1], [0, -1]].some(([dx, dy]) => {
          const nx = x + dx, ny = y + dy;
          return nx < 0 || ny < 0 || nx >= w || ny >= h || !inside[ny * w + nx];
        });
        if (edge) colour[y * w + x] = colour[y * w + x].map(v => v * edgeShade);
      }
    }
  }
  return { w, h, inside, colour };
}

// Copies a rendered frame into the sheet pair at (left, 0). An image pixel that
// would come out pure black inside the sprite is lifted to a very dark grey, which
// keeps the drawing (mask AND, image OR) exact and the pair easy to check.
function placeFrame(frame, mask, image, left) {
  for (let y = 0; y < frame.h; y++) {
    for (let x = 0; x < frame.w; x++) {
      const k = y * frame.w + x;
      if (frame.inside[k]) {
        mask.set(left + x, y, 0);
        image.set(left + x, y, frame.colour[k].map(v => Math.max(8, v)));
      } else {
        mask.set(left + x, y, 1);
        image.set(left + x, y, [0, 0, 0]);
      }
    }
  }
}

function mirrorX(frame) {
  const out = { w: frame.w, h: frame.h, inside: new Uint8Array(frame.w * frame.h), colour: [] };
  for (let y = 0; y < frame.h; y++) {
    for (let x = 0; x < frame.w; x++) {
      const s = y * frame.w + (frame.w - 1 - x);
      out.inside[y * frame.w + x] = frame.inside[s];
      out.colour[y * frame.w + x] = frame.colour[s];
    }
  }
  return out;
}

function mirrorY(frame) {
  const out = { w: frame.w, h: frame.h, inside: new Uint8Array(frame.w * frame.h), colour: [] };
  for (let y = 0; y < frame.h; y++) {
    for (let x = 0; x < frame.w; x++) {
      const s = (frame.h - 1 - y) * frame.w + x;
      out.inside[y * frame.w + x] = frame.inside[s];
      out.colour[y * frame.w + x] = frame.colour[s];
    }
  }
  return out;
}

// --- geometry helpers -------------------------------------------------------

function inPolygon(pts, x, y) {
  let inside = false;
  for (let i = 0, j = pts.length - 1; i < pts.length; j = i++) {
    const [xi, yi] = pts[i];
    const [xj, yj] = pts[j];
    if ((yi > y) !== (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}
function inEllipse(cx, cy, rx, ry, x, y) {
  const dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1;
}

// --- aeroplane ---------------------------------------------------------------

const PLANE_W = 65;
const PLANE_H = 33;
const PLANE_FRAMES = [0, 67, 134, 201];

const WHITE = [246, 247, 250];
const BELLY = [196, 202, 214];
const STRIPE = [28, 72, 178];
const WINDOW = [40, 52, 78];
const WING = [150, 156, 170];
const WING_DARK = [108, 114, 128];
const ENGINE = [184, 190, 202];
const INTAKE = [60, 64, 74];
const TAIL = [206, 28, 40];

// Side view, nose to the left.
function planeSide(x, y) {
  const cy = 18.5;
  const r = 3.6;
  let body = false;
  if (x >= 9 && x <= 50) body = Math.abs(y - cy) <= r;
  else if (x < 9) body = inEllipse(9, cy + 0.4, 6.2, r, x, y) && y <= cy + r; // rounded nose
  else if (x <= 61) {
    // Tail cone: the top stays level, the belly sweeps up.
    const bottom = cy + r - (x - 50) * (r + 0.8) / 11;
    body = y >= cy - r && y <= bottom;
  }
  const fin = inPolygon([[48, cy - r + 0.3], [56.5, 2.5], [61.5, 2.5], [61.8, cy - r + 0.3]], x, y);
  const stab = inPolygon([[52, cy - 0.6], [63.5, cy - 3.2], [63.5, cy - 1.6], [54, cy + 0.9]], x, y);
  const wing = inPolygon([[21, cy + 1.5], [27, cy + 1.5], [43, cy + 5.6], [41, cy + 6.4]], x, y);
  const engine = inEllipse(27.5, cy + 5.2, 4.8, 1.9, x, y);

  if (engine) return x < 23.7 ? INTAKE : ENGINE;
  if (wing) return WING_DARK;
  if (stab && !body) return TAIL;
  if (body) {
    if (x < 8.5 && x > 5 && y > cy - 2.4 && y < cy - 0.8) return WINDOW;               // cockpit
    if (x > 12 && x < 49 && y > cy - 2.0 && y < cy - 0.9 && Math.floor(x) % 2 === 0) return WINDOW;
    if (y > cy + 0.3 && y < cy + 1.4 && x > 4 && x < 56) return STRIPE;
    if (y > cy + 1.4) return BELLY;
    return WHITE;
  }
  if (fin) return TAIL;
  if (stab) return TAIL;
  return null;
}

// Seen from above, nose up.
function planeTop(x, y) {
  const cx = 32.5;
  const dx = Math.abs(x - cx);
  const hw = 2.6;
  let body = false;
  if (y >= 6 && y <= 27) body = dx <= hw;
  else if (y < 6) body = inEllipse(cx, 6, hw, 5.2, x, y);
  else if (y <= 31.5) body = dx <= hw - (y - 27) * 0.4;
  const wingPoly = [[hw - 0.2, 11.5], [30.5, 20], [30.5, 22.3], [hw - 0.2, 18.5]];
  const inWing = inPolygon(wingPoly, dx, y);
  const engine = dx >= 9.3 && dx <= 12.2 && y >= 11.4 && y <= 16.8;
  const stab = inPolygon([[1.5, 25.5], [11.5, 29.5], [11.5, 31.3], [1.5, 30]], dx, y);
  const fin = dx <= 0.6 && y >= 24.5 && y <= 31.8;

  if (fin) return TAIL;
  if (body) {
    if (y > 2.2 && y < 3.8 && dx < 1.8) return WINDOW; // cockpit
    return WHITE;
  }
  if (engine) return y < 12.4 ? INTAKE : ENGINE;
  if (inWing) return y > 20.4 - (30.5 - dx) * 0.35 + 1.1 ? WING_DARK : WING;
  if (stab) return WING;
  return null;
}

function makePlaneSheets() {
  const mask = new Bitmask(268, 35, 1);
  const image = new Picture(268, 35, [0, 0, 0]);
  const left = renderFrame(PLANE_W, PLANE_H, planeSide);
  const up = renderFrame(PLANE_W, PLANE_H, planeTop);
  placeFrame(left, mask, image, PLANE_FRAMES[0]);
  placeFrame(mirrorX(left), mask, image, PLANE_FRAMES[1]);
  placeFrame(up, mask, image, PLANE_FRAMES[2]);
  placeFrame(mirrorY(up), mask, image, PLANE_FRAMES[3]);
  // Red separator columns after each frame (outside every frame, white in the mask).
  for (const sx of [66, 133, 200, 267]) {
    for (let y = 0; y < 35; y++) image.set(sx, y, SEPARATOR_RED);
  }
  return { mask, image };
}

// --- typhoon -------------------------------------------------------------------

const TY_SIZE = 59;
const TY_FRAMES = [0, 60, 120, 180];

function smoothstep(e0, e1, v) {
  const t = Math.max(0, Math.min(1, (v - e0) / (e1 - e0)));
  return t * t * (3 - 2 * t);
}

// Cloud density of the storm turned by `turn` radians (counter-clockwise, as
// a northern-hemisphere typhoon turns when seen from above).
function typhoonDensity(x, y, turn) {
  const c = TY_SIZE / 2;
  const dx = x - c, dy = c - y;
  const r = Math.hypot(dx, dy);
  if (r > 28.5) return 0;
  const theta = Math.atan2(dy, dx) - turn;
  // Noise in the storm's own frame, so it turns with the arms.
  const ux = r * Math.cos(theta), uy = r * Math.sin(theta);
  const n = 0.5 * valueNoise(ux / 4 + 20, uy / 4 + 20, 7) + 0.3 * valueNoise(ux / 2 + 20, uy / 2 + 20, 8) +
    0.2 * valueNoise(ux + 20, uy + 20, 9);
  // Two spiral bands curling inwards.
  const s = 2 * (theta + 1.7 * Math.log(Math.max(r, 1) / 6));
  const band = Math.pow(0.5 + 0.5 * Math.cos(s), 1.6);
  const core = smoothstep(15, 6, r);              // central dense overcast
  const outer = smoothstep(28.5, 18, r);          // bands fade away outside
  const eye = smoothstep(2.6, 4.8, r);            // clear eye in the middle
  const d = Math.max(core, band * (0.4 + 0.8 * smoothstep(6, 12, r)) * outer) * eye;
  return Math.max(0, Math.min(1, d * (0.75 + 0.55 * n) - 0.08 * (1 - outer)));
}

function typhoonScene(turn) {
  return (x, y) => {
    const d = typhoonDensity(x, y, turn);
    if (d < 0.32) return null;
    const v = 120 + 135 * smoothstep(0.3, 0.9, d);
    return [v - 8, v - 3, v];
  };
}

function makeTyphoonSheets() {
  const mask = new Bitmask(239, TY_SIZE, 1);
  const image = new Picture(239, TY_SIZE, [0, 0, 0]);
  TY_FRAMES.forEach((left, i) => {
    // Two identical bands: a quarter of their half-turn period per phase.
    const frame = renderFrame(TY_SIZE, TY_SIZE, typhoonScene(i * Math.PI / 4), 0.5, 0.82);
    placeFrame(frame, mask, image, left);
  });
  for (const sx of [59, 119, 179]) {
    for (let y = 0; y < TY_SIZE; y++) image.set(sx, y, SEPARATOR_RED);
  }
  return { mask, image };
}

module.exports = { makePlaneSheets, makeTyphoonSheets };
