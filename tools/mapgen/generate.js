'use strict';
// Writes the nine bitmaps of the graphics library (mdxgraph) into
// libs/graphics/bitmaps/. The output is deterministic and committed; to re-run:
//   cd tools/mapgen && npm ci && node generate.js
// (an optional argument names another output folder).

const path = require('path');
const fs = require('fs');
const bmp = require('./bmp');
const { makeWorldMap } = require('./worldmap');
const { makeMaskSheet, makeNightOverlay, makeDialMask, makeDialImage } = require('./masks');
const { makePlaneSheets, makeTyphoonSheets } = require('./sprites');

const out = process.argv[2] || path.join(__dirname, '..', '..', 'libs', 'graphics', 'bitmaps');
fs.mkdirSync(out, { recursive: true });

const plane = makePlaneSheets();
const typhoon = makeTyphoonSheets();
const files = [
  ['worldmap_162.bmp', makeWorldMap()],
  ['nightmasks_179.bmp', makeMaskSheet()],
  ['nightoverlay_180.bmp', makeNightOverlay()],
  ['dialmask_148.bmp', makeDialMask()],
  ['dialimage_149.bmp', makeDialImage()],
  ['planemask_187.bmp', plane.mask],
  ['planeimage_188.bmp', plane.image],
  ['typhoonmask_130.bmp', typhoon.mask],
  ['typhoonimage_129.bmp', typhoon.image],
];
for (const [name, image] of files) {
  bmp.write(path.join(out, name), image);
  console.log(`${name} ${image.width}x${image.height}`);
}
