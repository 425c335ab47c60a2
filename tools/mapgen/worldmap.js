'use strict';
// World map 162: 578 x 340, Mercator, Pacific in the middle.
// The whole circle of longitude spans the 578 columns, the 180th meridian lies at
// x = 343 (so the left edge is 33.63 W) and the equator at y = 222 (so the top is
// about 79.8 N and the bottom about 59 S). Land comes from the Natural Earth
// 1:50m land polygons (public domain), shipped as TopoJSON by world-atlas.

const fs = require('fs');
const path = require('path');
const topojson = require('topojson-client');
const land50 = require('world-atlas/land-50m.json');
const { valueNoise } = require('./noise');
const { Picture } = require('./bmp');

// The map's size and the places of the date line and the equator are written once, in the
// program's display/map_projection.h, which places cities and shades the night side with them.
const projection = readProjection(path.join(__dirname, '..', '..', 'display', 'map_projection.h'));
const W = projection.kMapWidth;
const H = projection.kMapHeight;
const DATE_LINE_X = projection.kMapDateLineX;
const EQUATOR_Y = projection.kMapEquatorY;
const PX_PER_DEG = W / 360;
const LEFT_LON = 180 - DATE_LINE_X / PX_PER_DEG;
const RADIUS = PX_PER_DEG * 180 / Math.PI; // Mercator scale in pixels per radian
const SS = 6;                              // supersampling per axis

function readProjection(file) {
  const text = fs.readFileSync(file, 'utf8');
  const out = {};
  for (const name of ['kMapWidth', 'kMapHeight', 'kMapDateLineX', 'kMapEquatorY']) {
    const m = text.match(new RegExp('constexpr int ' + name + ' = (\\d+);'));
    if (!m) throw new Error(file + ': no ' + name);
    out[name] = Number(m[1]);
  }
  return out;
}

function lonToX(lon) {
  return (lon - LEFT_LON) * PX_PER_DEG;
}
function latToY(lat) {
  const phi = Math.max(-85, Math.min(85, lat)) * Math.PI / 180;
  return EQUATOR_Y - RADIUS * Math.log(Math.tan(Math.PI / 4 + phi / 2));
}
function xToLon(x) {
  let lon = LEFT_LON + x / PX_PER_DEG;
  if (lon > 180) lon -= 360;
  return lon;
}
function yToLat(y) {
  return (2 * Math.atan(Math.exp((EQUATOR_Y - y) / RADIUS)) - Math.PI / 2) * 180 / Math.PI;
}

// Land rings in (unwrapped) map pixels. Rings that cross the 180th meridian are
// made continuous; every ring is later filled at its place and one map width to
// either side, so land across the left/right edge wraps round.
function landRings() {
  const fc = topojson.feature(land50, land50.objects.land);
  const rings = [];
  for (const feature of fc.features) {
    const g = feature.geometry;
    const polys = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
    for (const poly of polys) {
      for (const ring of poly) {
        if (ring.every(p => p[1] < -60)) continue; // Antarctica lies below the map
        let prev = null;
        let shift = 0;
        const pts = [];
        for (const [lon0, lat] of ring) {
          let lon = lon0 + shift;
          if (prev !== null) {
            while (lon - prev > 180) { lon -= 360; shift -= 360; }
            while (prev - lon > 180) { lon += 360; shift += 360; }
          }
          prev = lon;
          pts.push([lonToX(lon), latToY(lat)]);
        }
        rings.push(pts);
      }
    }
  }
  return rings;
}

// Fraction of each pixel covered by land, by even-odd scanline filling of all
// rings on a grid of SS x SS samples per pixel.
function landCoverage() {
  const GW = W * SS;
  const GH = H * SS;
  const crossings = Array.from({ length: GH }, () => []);
  for (const ring of landRings()) {
    for (const offset of [-W, 0, W]) {
      for (let i = 0; i < ring.length; i++) {
        const a = ring[i];
        const b = ring[(i + 1) % ring.length];
        const ax = (a[0] + offset) * SS, ay = a[1] * SS;
        const bx = (b[0] + offset) * SS, by = b[1] * SS;
        if (ay === by) continue;
        const y0 = Math.min(ay, by), y1 = Math.max(ay, by);
        const j0 = Math.max(0, Math.ceil(y0 - 0.5));
        const j1 = Math.min(GH - 1, Math.ceil(y1 - 0.5) - 1);
        for (let j = j0; j <= j1; j++) {
          const yc = j + 0.5;
          crossings[j].push(ax + (bx - ax) * (yc - ay) / (by - ay));
        }
      }
    }
  }
  const cover = new Float32Array(W * H);
  for (let j = 0; j < GH; j++) {
    const xs = crossings[j].sort((p, q) => p - q);
    const py = Math.floor(j / SS);
    for (let k = 0; k + 1 < xs.length; k += 2) {
      const i0 = Math.max(0, Math.ceil(xs[k] - 0.5));
      const i1 = Math.min(GW - 1, Math.ceil(xs[k + 1] - 0.5) - 1);
      for (let i = i0; i <= i1; i++) cover[py * W + Math.floor(i / SS)] += 1 / (SS * SS);
    }
  }
  return cover;
}

function fractalNoise(x, y, seed) {
  return 0.55 * valueNoise(x, y, seed) + 0.3 * valueNoise(x * 2.1, y * 2.1, seed + 1) +
    0.15 * valueNoise(x * 4.3, y * 4.3, seed + 2);
}

function smoothstep(e0, e1, v) {
  const t = Math.max(0, Math.min(1, (v - e0) / (e1 - e0)));
  return t * t * (3 - 2 * t);
}
function mix(a, b, t) {
  return [a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t];
}

// Dry regions as soft ellipses: centre lon, lat, radii in degrees, strength.
const DRY = [
  [8, 23, 26, 8, 1.0],     // Sahara
  [-8, 21, 10, 7, 1.0],    // western Sahara
  [28, 21, 10, 8, 1.0],    // Libyan and Nubian deserts
  [46, 22, 11, 8, 1.0],    // Arabia
  [58, 30, 10, 5, 0.9],    // Iran
  [66, 30, 6, 4, 0.8],     // Baluchistan
  [71, 27, 4, 3, 0.7],     // Thar
  [62, 42, 14, 6, 0.7],    // Karakum and Kyzylkum
  [75, 47, 14, 4, 0.45],   // Kazakh steppe
  [84, 39, 10, 4, 0.95],   // Taklamakan
  [103, 42, 12, 4, 0.85],  // Gobi
  [88, 33, 8, 3, 0.45],    // Tibetan plateau
  [128, -25, 15, 8, 1.0],  // Australian interior
  [-112, 33, 8, 6, 0.85],  // south-western North America
  [-104, 27, 5, 4, 0.6],   // Chihuahua
  [-70, -22, 3, 7, 0.9],   // Atacama
  [-68, -44, 4, 7, 0.75],  // Patagonia
  [18, -24, 6, 6, 0.85],   // Kalahari and Namib
  [45, 7, 6, 4, 0.6],      // Horn of Africa
  [-40, -9, 4, 4, 0.35],   // Brazilian sertao
];

// Seasonally dry grass and open woodland inside the tropics.
const SAVANNA = [
  [35, -4, 9, 11, 0.9],    // East African plateau
  [26, -14, 14, 5, 0.8],   // Zambezi
  [77, 20, 8, 9, 0.6],     // Deccan
  [-48, -14, 9, 7, 0.8],   // Cerrado
  [133, -16, 13, 4, 0.8],  // northern Australia
  [-62, -23, 6, 6, 0.6],   // Gran Chaco
];

const C = {
  rainforest: [34, 134, 44],
  savanna: [156, 162, 78],
  temperate: [92, 150, 66],
  boreal: [62, 136, 68],
  tundra: [176, 184, 156],
  ice: [236, 240, 238],
  desert: [218, 178, 108],
  steppe: [176, 168, 96],
};

function landColour(lon, lat, x, y) {
  const a = Math.abs(lat);
  let c;
  // Latitude bands, blended smoothly.
  c = mix(C.rainforest, C.savanna, smoothstep(6, 12, a));
  c = mix(c, C.temperate, smoothstep(17, 28, a));
  c = mix(c, C.boreal, smoothstep(47, 56, a));
  c = mix(c, C.tundra, smoothstep(64, 72, a));
  let sav = 0;
  for (const [clon, clat, rx, ry, s] of SAVANNA) {
    const d = Math.hypot((lon - clon) / rx, (lat - clat) / ry);
    sav = Math.max(sav, s * smoothstep(1.4, 0.4, d));
  }
  c = mix(c, C.savanna, sav * smoothstep(30, 22, a));
  // Dry regions.
  let dry = 0;
  for (const [clon, clat, rx, ry, s] of DRY) {
    let dlon = lon - clon;
    if (dlon > 180) dlon -= 360;
    if (dlon < -180) dlon += 360;
    const d = Math.hypot(dlon / rx, (lat - clat) / ry);
    dry = Math.max(dry, s * smoothstep(1.5, 0.35, d));
  }
  // Ragged borders between the dry and the green regions.
  const n = fractalNoise(x / 9, y / 9, 11) - 0.5;
  dry = Math.max(0, Math.min(1, dry + n * 0.7 * smoothstep(0.02, 0.3, dry)));
  c = mix(c, mix(C.steppe, C.desert, smoothstep(0.45, 0.9, dry)), smoothstep(0.15, 0.65, dry));
  // Ice caps: Greenland's interior and the high Arctic.
  const greenland = lon > -60 && lon < -18 && lat > 64 ? smoothstep(0.9, 0.4,
    Math.hypot((lon + 41) / 17, (lat - 73) / 9)) : 0;
  c = mix(c, C.ice, Math.max(greenland, smoothstep(76, 80, a)));
  // A little mottling so the land does not look flat.
  const m = fractalNoise(x / 4, y / 4, 5) - 0.5;
  c = c.map(v => v * (1 + m * 0.16));
  // The night shading ANDs the map with RGB(14, 84, 138): a green of 128-191
  // (bit 6 clear) lets vegetation go dark at night instead of lighting up green.
  if (c[1] < 128) c[1] = 128;
  return c;
}

// Blur of the land coverage, used to lighten the shallow sea along the coasts.
function blur(src, radius) {
  const tmp = new Float32Array(W * H);
  const out = new Float32Array(W * H);
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < W; x++) {
      let s = 0;
      for (let k = -radius; k <= radius; k++) s += src[y * W + ((x + k + W) % W)];
      tmp[y * W + x] = s / (2 * radius + 1);
    }
  }
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < W; x++) {
      let s = 0;
      for (let k = -radius; k <= radius; k++) s += tmp[Math.max(0, Math.min(H - 1, y + k)) * W + x];
      out[y * W + x] = s / (2 * radius + 1);
    }
  }
  return out;
}

// Sea greens stay within 80-127 and blues at 128 or more, so that the night
// shading keeps the sea a dark blue.
const SEA_DEEP = [34, 86, 164];
const SEA_SHALLOW = [88, 122, 204];

function makeWorldMap() {
  const cover = landCoverage();
  const near = blur(blur(cover, 2), 2);
  const pic = new Picture(W, H);
  for (let y = 0; y < H; y++) {
    const lat = yToLat(y + 0.5);
    for (let x = 0; x < W; x++) {
      const lon = xToLon(x + 0.5);
      const c = cover[y * W + x];
      const ripple = fractalNoise(x / 18, y / 18, 23) - 0.5;
      let sea = mix(SEA_DEEP, SEA_SHALLOW, Math.min(1, near[y * W + x] * 2.6) ** 1.5);
      sea = sea.map(v => v * (1 + ripple * 0.08));
      const landC = c > 0 ? landColour(lon, lat, x, y) : [0, 0, 0];
      pic.set(x, y, mix(sea, landC, Math.min(1, c)));
    }
  }
  return pic;
}

module.exports = { makeWorldMap, lonToX, latToY, W, H, LEFT_LON, PX_PER_DEG };
