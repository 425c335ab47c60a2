'use strict';
// Device-independent bitmap writer: 14-byte file header, 40-byte BITMAPINFOHEADER,
// rows stored bottom-up, no compression, one plane. 24-bit pixels are written as
// B, G, R; 1-bit bitmaps carry the palette black (index 0), white (index 1).

const fs = require('fs');

// A 24-bit picture: width, height and an RGB byte array, top row first.
class Picture {
  constructor(width, height, fill = [0, 0, 0]) {
    this.width = width;
    this.height = height;
    this.rgb = new Uint8Array(width * height * 3);
    for (let i = 0; i < width * height; i++) this.rgb.set(fill, i * 3);
  }
  set(x, y, c) {
    if (x < 0 || y < 0 || x >= this.width || y >= this.height) return;
    const i = (y * this.width + x) * 3;
    this.rgb[i] = clampByte(c[0]);
    this.rgb[i + 1] = clampByte(c[1]);
    this.rgb[i + 2] = clampByte(c[2]);
  }
  get(x, y) {
    const i = (y * this.width + x) * 3;
    return [this.rgb[i], this.rgb[i + 1], this.rgb[i + 2]];
  }
}

// A 1-bit picture: one byte per pixel, 0 black, 1 white, top row first.
class Bitmask {
  constructor(width, height, fill = 1) {
    this.width = width;
    this.height = height;
    this.bits = new Uint8Array(width * height).fill(fill);
  }
  set(x, y, v) {
    if (x < 0 || y < 0 || x >= this.width || y >= this.height) return;
    this.bits[y * this.width + x] = v ? 1 : 0;
  }
  get(x, y) {
    return this.bits[y * this.width + x];
  }
}

function clampByte(v) {
  return Math.max(0, Math.min(255, Math.round(v)));
}

function header(width, height, bitCount, paletteEntries, stride) {
  const imageSize = stride * height;
  const offset = 14 + 40 + paletteEntries * 4;
  const buf = Buffer.alloc(14 + 40);
  buf.write('BM', 0, 'ascii');
  buf.writeUInt32LE(offset + imageSize, 2);
  buf.writeUInt32LE(0, 6);
  buf.writeUInt32LE(offset, 10);
  buf.writeUInt32LE(40, 14);            // biSize
  buf.writeInt32LE(width, 18);          // biWidth
  buf.writeInt32LE(height, 22);         // biHeight > 0: bottom-up
  buf.writeUInt16LE(1, 26);             // biPlanes
  buf.writeUInt16LE(bitCount, 28);      // biBitCount
  buf.writeUInt32LE(0, 30);             // biCompression = BI_RGB
  buf.writeUInt32LE(imageSize, 34);     // biSizeImage
  buf.writeInt32LE(3780, 38);           // 96 dpi
  buf.writeInt32LE(3780, 42);
  buf.writeUInt32LE(paletteEntries, 46); // biClrUsed
  buf.writeUInt32LE(0, 50);              // biClrImportant
  return buf;
}

function encode24(pic) {
  const stride = (pic.width * 3 + 3) & ~3;
  const data = Buffer.alloc(stride * pic.height);
  for (let y = 0; y < pic.height; y++) {
    const row = (pic.height - 1 - y) * stride;
    for (let x = 0; x < pic.width; x++) {
      const i = (y * pic.width + x) * 3;
      data[row + x * 3] = pic.rgb[i + 2];
      data[row + x * 3 + 1] = pic.rgb[i + 1];
      data[row + x * 3 + 2] = pic.rgb[i];
    }
  }
  return Buffer.concat([header(pic.width, pic.height, 24, 0, stride), data]);
}

function encode1(mask) {
  const stride = ((mask.width + 31) >> 5) << 2;
  const data = Buffer.alloc(stride * mask.height);
  for (let y = 0; y < mask.height; y++) {
    const row = (mask.height - 1 - y) * stride;
    for (let x = 0; x < mask.width; x++) {
      if (mask.bits[y * mask.width + x]) data[row + (x >> 3)] |= 0x80 >> (x & 7);
    }
  }
  const palette = Buffer.from([0, 0, 0, 0, 255, 255, 255, 0]);
  return Buffer.concat([header(mask.width, mask.height, 1, 2, stride), palette, data]);
}

function write(file, image) {
  fs.writeFileSync(file, image instanceof Bitmask ? encode1(image) : encode24(image));
}

module.exports = { Picture, Bitmask, write, clampByte };
