#!/usr/bin/env python3
"""Writes the test pictures of this folder and their manifest, cases.txt.

One picture, drawn here, is written in every variant dotpress reads: PNG of
each colour type, bit depth and interlacing, BMP of each header, depth and
compression, and broken files. Where a variant cannot hold the picture's
colours exactly (grey, palettes, channels of fewer than 8 bits), the picture
is first reduced to colours it can hold, and the reduced picture is written
as a 24-bit BMP too: the reference whose conversion the variant must equal.

    converter/tests/data/make_cases.py [folder]

Only Python's standard library is used. The files are committed, so the
tests need no Python; run this again after changing it.
"""
import os
import struct
import sys
import zlib

W, H = 21, 13
C0 = (40, 90, 160)  # palette entry 0: rows 0 and 6, a block and row ends, for RLE's skips


def source(x, y):
    if y in (0, 6) or (8 <= x < 12 and 2 <= y < 4) or (x >= 15 and y >= 9):
        return C0
    return ((x * 255) // (W - 1), (y * 255) // (H - 1), (x * 53 + y * 97 + x * y * 31) % 256)


def expand(v, bits):  # n bits to 8, bits repeated
    out = v << (8 - bits)
    filled = bits
    while filled < 8:
        out |= out >> filled
        filled *= 2
    return out & 255


def reduce_channels(bits):
    return lambda c: tuple(expand(v >> (8 - n), n) for v, n in zip(c, bits))


def grey(bits):
    return lambda c: (expand(((c[0] * 77 + c[1] * 150 + c[2] * 29) >> 8) >> (8 - bits), bits),) * 3


def palette_of(n):
    if n == 2:
        rest = [(255, 255, 255)]
    elif n == 4:
        rest = [(0, 0, 0), (255, 255, 255), (255, 128, 0)]
    elif n == 16:
        rest = [(r * 255, g * 255, b * 255) for r in (0, 1) for g in (0, 1) for b in (0, 1)]
        rest += [(v, v, v) for v in (64, 128, 192)] + [(128, 0, 0), (0, 128, 0), (0, 0, 128), (128, 128, 0)]
    else:
        rest = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
        rest += [(v * 6 + 3, v * 6 + 3, v * 6 + 3) for v in range(39)]
    return [C0] + rest


def nearest(palette, c):  # only C0 takes index 0
    if c == C0:
        return 0
    return min(range(1, len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))


class Picture:
    def __init__(self, colour=lambda c: c, palette=None, w=W, h=H, pixels=None):
        self.w, self.h, self.palette = w, h, palette
        if pixels is not None:
            self.index = pixels
        elif palette:
            self.index = [[nearest(palette, source(x, y)) for x in range(w)] for y in range(h)]
        self.rgb = [[palette[i] for i in row] for row in self.index] if palette else \
            [[colour(source(x, y)) for x in range(w)] for y in range(h)]


# ---------------------------------------------------------------- PNG

def chunk(kind, data, crc=None):
    crc = zlib.crc32(kind + data) if crc is None else crc
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', crc)


def pack(samples, depth):
    if depth == 16:
        return b''.join(struct.pack('>H', s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out = bytearray((len(samples) * depth + 7) // 8)
    for i, s in enumerate(samples):
        out[i * depth // 8] |= s << (8 - depth - i * depth % 8)
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def filtered(lines, bpp):  # each filter type in turn
    out, prior = bytearray(), bytes(len(lines[0]) if lines else 0)
    for n, line in enumerate(lines):
        kind, row = n % 5, bytearray([n % 5])
        for i, v in enumerate(line):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prior[i], prior[i - bpp] if i >= bpp else 0
            row.append((v - (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 255)
        out += row
        prior = line
    return bytes(out)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(pic, colour_type, depth, interlaced=False, sample=None, before=b'', idat_piece=1 << 20):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    bpp = max(1, channels * depth // 8)
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    data = b''
    for x0, y0, dx, dy in passes:
        lines = [pack([s for x in range(x0, pic.w, dx) for s in sample(x, y)], depth)
                 for y in range(y0, pic.h, dy)]
        if lines and lines[0]:
            data += filtered(lines, bpp)
    ihdr = struct.pack('>IIBBBBB', pic.w, pic.h, depth, colour_type, 0, 0, int(interlaced))
    if colour_type == 3:
        before = chunk(b'PLTE', bytes(v for c in pic.palette for v in c)) + before
    z = zlib.compress(data, 9)
    idats = b''.join(chunk(b'IDAT', z[i:i + idat_piece]) for i in range(0, len(z), idat_piece))
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + before + idats + chunk(b'IEND', b'')


def samples(pic, colour_type, depth):
    """The picture's samples; 16-bit ones lie up to 128 off v * 257, all rounding to v."""
    def wide(v, x, y, k):
        return min(65535, max(0, v * 257 + (x * 37 + y * 59 + k * 71) % 257 - 128)) if depth == 16 else v

    def alpha(x, y):
        return (x * 40 + y * 7) % 256 if depth == 8 else (x * 9001 + y * 333) % 65536

    def sample(x, y):
        if colour_type == 3:
            return (pic.index[y][x],)
        c = pic.rgb[y][x]
        values = (c[0] >> (8 - depth),) if colour_type in (0, 4) and depth < 8 else \
            (c[0],) if colour_type in (0, 4) else c
        values = tuple(wide(v, x, y, k) for k, v in enumerate(values))
        return values + (alpha(x, y),) if colour_type in (4, 6) else values
    return sample


# ---------------------------------------------------------------- BMP

def bmp_rows(pic, depth, masks=None, top_down=False):
    rows = []
    for y in (range(pic.h) if top_down else reversed(range(pic.h))):
        if depth <= 8:
            line = pack(pic.index[y], depth)
        elif depth == 24:
            line = bytes(v for c in pic.rgb[y] for v in reversed(c))
        else:
            line = b''.join(struct.pack('<I' if depth == 32 else '<H', place(c, masks, x + y) % (1 << depth))
                            for x, c in enumerate(pic.rgb[y]))
        rows.append(line + bytes(-len(line) % 4))
    return rows


def place(c, masks, junk):
    """The colour into masked bits; bits below a wide channel's top 8, and unmasked bits, get junk."""
    value = 0
    for v, mask in zip(c, masks):
        shift, bits = (mask & -mask).bit_length() - 1, bin(mask).count('1')
        field = (v >> (8 - bits)) if bits < 8 else (v << (bits - 8)) | (junk % (1 << (bits - 8)))
        value |= field << shift
    unmasked = ~(masks[0] | masks[1] | masks[2]) & 0xFFFFFFFF
    return value | (junk * 0x9E3779B1 & unmasked)


def bmp(pic, depth, header=40, compression=0, masks=None, pixels=None, image_size=None, top_down=False):
    entry = 3 if header == 12 else 4
    table = b''.join(bytes(reversed(c)) + bytes(entry - 3) for c in (pic.palette if depth <= 8 else []))
    pixels = b''.join(bmp_rows(pic, depth, masks, top_down)) if pixels is None else pixels
    if header == 12:
        info = struct.pack('<IHHHH', 12, pic.w, pic.h, 1, depth)
    else:
        size = len(pixels) if image_size is None else image_size
        height = -pic.h if top_down else pic.h
        info = struct.pack('<IiiHHIIiiII', header, pic.w, height, 1, depth, compression, size, 2835, 2835, 0, 0)
        if masks and header >= 52:
            info += struct.pack('<4I', *masks, 0)[:header - 40 if header < 108 else 16]
        info += bytes(header - len(info))
        if masks and header == 40 and compression == 3:
            info += struct.pack('<3I', *masks)
    off = 14 + len(info) + len(table)
    return b'BM' + struct.pack('<IHHI', off + len(pixels), 0, 0, off) + info + table + pixels


def rle(pic, depth, skip=True):
    """RLE8 or RLE4 of the picture; with `skip`, index 0 is left unset by moves,
    early line ends and an early end of the bitmap, as the decoder must fill it."""
    rows, out = [pic.index[y] for y in reversed(range(pic.h))], bytearray()
    y = 0
    while y < len(rows):
        row, end = rows[y], len(rows[y])
        while skip and end and row[end - 1] == 0:
            end -= 1
        encode_row(out, row[:end], depth, skip)
        rest = rows[y + 1:]
        if skip and not any(map(any, rest)):
            break
        out += b'\0\0'
        y += 1
        blank = 0
        while skip and blank < len(rest) and not any(rest[blank]):
            blank += 1
        if blank:
            out += bytes([0, 2, 0, blank])
            y += blank
    return bytes(out + b'\0\1')


def encode_row(out, row, depth, skip):
    x = 0
    while x < len(row):
        zeros = next((i for i in range(x, len(row)) if row[i]), len(row)) - x
        if skip and zeros >= 3:
            out += bytes([0, 2, min(zeros, 255), 0])
            x += min(zeros, 255)
            continue
        a, b = row[x], row[x + 1] if x + 1 < len(row) else row[x]
        pattern = (a, a) if depth == 8 else (a, b)
        run = 0
        while x + run < len(row) and run < 255 and row[x + run] == pattern[run % 2]:
            run += 1
        if run >= 3 or len(row) - x < 3:
            out += bytes([run, a if depth == 8 else a << 4 | b])
            x += run
            continue
        n = 3
        while x + n < len(row) and n < 255 and row[x + n] != row[x + n - 1]:
            n += 1
        literal = pack(row[x:x + n], depth)
        out += bytes([0, n]) + literal + bytes(len(literal) % 2)
        x += n


# ---------------------------------------------------------------- cases

FOLDER = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
MANIFEST = []


def write(name, data):
    with open(os.path.join(FOLDER, name), 'wb') as f:
        f.write(data)
    return name


def like(name, data, reference, flags=('-t',)):
    write(name, data)
    MANIFEST.extend(f'{name} {f} like {reference}' for f in flags)


def fails(name, data, message):
    write(name, data)
    MANIFEST.append(f'{name} -t fails 255 {message}')


def reference(name, pic):
    raw = write(f'ref-{name}.rgb', bytes(v for row in pic.rgb for c in row for v in c))
    write(f'ref-{name}.bmp', bmp(pic, 24))
    MANIFEST.append(f'ref-{name}.bmp -t bytes {raw}')
    return pic, f'ref-{name}.bmp'


REFS = {name: reference(name, pic) for name, pic in {
    'rgb': Picture(), 'grey8': Picture(grey(8)), 'grey4': Picture(grey(4)), 'grey2': Picture(grey(2)),
    'grey1': Picture(grey(1)), 'pal2': Picture(palette=palette_of(2)), 'pal4': Picture(palette=palette_of(4)),
    'pal16': Picture(palette=palette_of(16)), 'pal256': Picture(palette=palette_of(256)),
    '555': Picture(reduce_channels((5, 5, 5))), '565': Picture(reduce_channels((5, 6, 5))),
    '444': Picture(reduce_channels((4, 4, 4))), '1-10-5': Picture(reduce_channels((1, 8, 5))),
}.items()}

PNG_KINDS = {'grey': (0, {1: 'grey1', 2: 'grey2', 4: 'grey4', 8: 'grey8', 16: 'grey8'}),
             'rgb': (2, {8: 'rgb', 16: 'rgb'}),
             'pal': (3, {1: 'pal2', 2: 'pal4', 4: 'pal16', 8: 'pal256'}),
             'ga': (4, {8: 'grey8', 16: 'grey8'}),
             'rgba': (6, {8: 'rgb', 16: 'rgb'})}


def png_of(ref, colour_type, depth, interlaced=False, **more):
    pic = REFS[ref][0]
    return png(pic, colour_type, depth, interlaced, samples(pic, colour_type, depth), **more)


for kind, (colour_type, depths) in PNG_KINDS.items():
    for depth, ref in depths.items():
        for interlaced in (False, True):
            like(f'png-{kind}{depth}{"-i" if interlaced else ""}.png',
                 png_of(ref, colour_type, depth, interlaced), REFS[ref][1])

RGB, PAL256, PAL16 = REFS['rgb'], REFS['pal256'], REFS['pal16']
MANIFEST.extend(f'png-rgb8.png {f} like ref-rgb.bmp' for f in
                ('-m', '-M', '-k', '-K', '-kK', '-e', '-i', '-g', '-pb', '-c', '-tr', '-nwk'))
MANIFEST.extend(f'png-rgba16-i.png {f} like ref-rgb.bmp' for f in ('-kK', '-tr', '-c'))
MANIFEST.extend(['png-grey1.png -k like ref-grey1.bmp', 'png-pal2-i.png -M like ref-pal4.bmp'])

iccp = b'sketch\0\0' + zlib.compress(b'not applied' * 40)
colour_chunks = (chunk(b'gAMA', struct.pack('>I', 100000)) + chunk(b'cHRM', struct.pack('>8I', *[30000] * 8)) +
                 chunk(b'iCCP', iccp) + chunk(b'tEXt', b'Comment\0one picture') +
                 chunk(b'tRNS', struct.pack('>3H', *C0)))
like('png-rgb8-chunks.png', png_of('rgb', 2, 8, before=colour_chunks, idat_piece=50), RGB[1])
like('png-srgb-trns.png', png_of('pal256', 3, 8, before=chunk(b'sRGB', b'\0') + chunk(b'tRNS', bytes(200))),
     PAL256[1])
like('png-named.bmp', png_of('rgb', 6, 8), RGB[1])
like('bmp-named.png', bmp(RGB[0], 24), RGB[1])
tiny = Picture(pixels=[[1, 2, 3], [4, 5, 6]], palette=palette_of(16), w=3, h=2)
write('png-3x2-i.rgb', bytes(v for row in tiny.rgb for c in row for v in c))
write('png-3x2-i.png', png(tiny, 2, 8, True, lambda x, y: tiny.rgb[y][x]))
MANIFEST.append('png-3x2-i.png -t bytes png-3x2-i.rgb')

good = png_of('rgb', 2, 8)
idat = good.index(b'IDAT') - 4
crc = idat + 8 + struct.unpack('>I', good[idat:idat + 4])[0]
fails('png-crc.png', good[:crc] + bytes([good[crc] ^ 1]) + good[crc + 1:], 'Error reading PNG file: invalid chunk checksum')
fails('png-cut.png', good[:idat + 100], 'Error reading PNG file: end of stream')
fails('png-no-iend.png', good[:-12], 'Error reading PNG file: end of stream')
header = good[:8]
fails('png-depth3.png', header + chunk(b'IHDR', struct.pack('>IIBBBBB', W, H, 3, 0, 0, 0, 0)) + good[33:],
      'Error reading PNG file: invalid bit depth')
fails('png-no-plte.png', png_of('pal16', 3, 4)[:33] + good[33:], 'Error reading PNG file: missing PLTE for indexed image')
fails('png-ztxt.png', good[:33] + chunk(b'zTXt', b'Comment\0\0' + zlib.compress(bytes(17 << 20), 9)) + good[33:],
      'Error reading PNG file: reached chunk/cache limits')
for name, w, h in (('png-16385x16384.png', 16385, 16384), ('png-wide.png', (1 << 28) + 1, 1)):
    fails(name, header + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 1, 0, 0, 0, 0)) + good[33:],
          'Unsupported bitmap size!')

for depth, ref in ((1, 'pal2'), (4, 'pal16'), (8, 'pal256'), (24, 'rgb')):
    like(f'core-{depth}.bmp', bmp(REFS[ref][0], depth, header=12), REFS[ref][1])
like('os2-8.bmp', bmp(PAL256[0], 8, header=64), PAL256[1])
like('os2-24.bmp', bmp(RGB[0], 24, header=64), RGB[1])
for depth, compression, ref in ((8, 1, PAL256), (4, 2, PAL16)):
    for skip in (True, False):
        stream = rle(ref[0], depth, skip)
        like(f'rle{depth}{"" if skip else "-full"}.bmp', bmp(ref[0], depth, compression=compression, pixels=stream),
             ref[1], ('-t', '-kK') if skip else ('-t',))
stream = rle(PAL256[0], 8)
like('rle8-v5.bmp', bmp(PAL256[0], 8, header=124, compression=1, pixels=stream), PAL256[1])
sized0 = bytearray(bmp(PAL256[0], 8, compression=1, pixels=stream, image_size=0))
like('rle8-size0.bmp', bytes(sized0), PAL256[1])
fails('rle8-cut.bmp', bmp(PAL256[0], 8, compression=1, pixels=stream)[:-30], 'Bitmap file is truncated!')
small = Picture(pixels=[[0] * 5, [2, 3, 2, 0, 0], [1] * 5], palette=palette_of(16), w=5, h=3)
overrun = bytes([200, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 2, 250, 0, 2, 4, 0, 2, 0, 200, 5, 5])
like('rle8-overrun.bmp', bmp(small, 8, compression=1, pixels=overrun), write('rle8-overrun-ref.bmp', bmp(small, 24)))
opened = Picture(pixels=[[0] * 5, [0] * 5, [1] * 5], palette=palette_of(16), w=5, h=3)
like('rle8-open.bmp', bmp(opened, 8, compression=1, pixels=bytes([5, 1, 0, 0])), write('rle8-open-ref.bmp',
                                                                                      bmp(opened, 24)))
fails('rle4-literal-cut.bmp', bmp(opened, 4, compression=2, pixels=bytes([0, 9, 0x12, 0x34]), image_size=6),
      'Bitmap file is truncated!')

MASKS = {'555': (0x7C00, 0x3E0, 0x1F), '565': (0xF800, 0x7E0, 0x1F), '444': (0xF00, 0xF0, 0xF),
         '1-10-5': (0x8000, 0x7FE0, 0x1F)}
like('b16.bmp', bmp(REFS['555'][0], 16, masks=MASKS['555']), REFS['555'][1])
for name, header, ref, top_down in (('b16-bf555', 40, '555', False), ('b16-565', 40, '565', False),
                                    ('b16-565-v3', 56, '565', False), ('b16-565-v5-topdown', 124, '565', True),
                                    ('b16-4444-v5', 124, '444', False), ('b16-1-10-5', 40, '1-10-5', False)):
    like(f'{name}.bmp', bmp(REFS[ref][0], 16, header, 3, MASKS[ref], top_down=top_down), REFS[ref][1])
MANIFEST.append('b16-565.bmp -g like ref-565.bmp')
like('b32.bmp', bmp(RGB[0], 32, masks=(0xFF0000, 0xFF00, 0xFF)), RGB[1])
like('b32-v4-rgb.bmp', bmp(RGB[0], 32, header=108, masks=(0xFF0000, 0xFF00, 0xFF)), RGB[1])
for name, header, masks in (('b32-bgra', 40, (0xFF00, 0xFF0000, 0xFF000000)), ('b32-v2', 52, (0xFF0000, 0xFF00, 0xFF)),
                            ('b32-10-10-10-v5', 124, (0x3FF00000, 0xFFC00, 0x3FF))):
    like(f'{name}.bmp', bmp(RGB[0], 32, header, 3, masks), RGB[1])

for name, depth, header, compression in (('b24-jpeg', 24, 40, 4), ('b24-png', 24, 40, 5), ('b24-bitfields', 24, 40, 3),
                                         ('os2-16-huffman', 16, 64, 3), ('rle8-depth4', 4, 40, 1)):
    fails(f'{name}.bmp', bmp(PAL16[0] if depth == 4 else RGB[0], depth, header, compression,
                             masks=(0xF800, 0x7E0, 0x1F)), 'Unsupported compression type!')
fails('b16-bf-cut.bmp', bmp(REFS['565'][0], 16, 40, 3, MASKS['565'])[:60], 'Bitmap file is truncated!')
fails('core-cut.bmp', bmp(RGB[0], 24, header=12)[:24], 'Bitmap file is truncated!')
fails('rle8-16385x16384.bmp', bmp(Picture(pixels=[], palette=[C0], w=16385, h=16384), 8, compression=1,
                                  pixels=b'\0\1'), 'Unsupported bitmap size!')
fails('core-65535x65535.bmp', bmp(Picture(pixels=[], palette=[C0], w=65535, h=65535), 1, header=12, pixels=b''),
      'Unsupported bitmap size!')

# Other formats are known by their signature; only their first bytes are
# written. A RIFF file of another form type is no WebP and is read as a BMP.
OTHER_FORMATS = {'jpeg.jpg': ('JPEG', b'\xff\xd8\xff\xe0\0\x10JFIF\0\1\1\0\0\1\0\1\0\0'),
                 'gif87.gif': ('GIF', b'GIF87a\1\0\1\0\x80\0\0'), 'gif89.gif': ('GIF', b'GIF89a\1\0\1\0\x80\0\0'),
                 'tiff-le.tif': ('TIFF', b'II*\0\x08\0\0\0\0\0'), 'tiff-be.tif': ('TIFF', b'MM\0*\0\0\0\x08\0\0'),
                 'bigtiff.tif': ('TIFF', b'II+\0\x08\0\0\0\x10\0\0\0\0\0\0\0'),
                 'webp.webp': ('WebP', b'RIFF\x1a\0\0\0WEBPVP8L\x0d\0\0\0\x2f\0\0\0')}
for name, (format_name, data) in OTHER_FORMATS.items():
    fails(name, data, f'Unsupported file format ({format_name}): only BMP and PNG are read!')
fails('riff-wave.wav', b'RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x44\xac\0\0\x88\x58\1\0\2\0\x10\0',
      'Bitmap file is truncated!')

with open(os.path.join(FOLDER, 'cases.txt'), 'w') as f:
    f.write('# Written by make_cases.py. Each line: input, options, then the expected result:\n'
            '#   bytes FILE        the output holds exactly the bytes of FILE\n'
            '#   like BMP          the output equals the one written for BMP with the same options\n'
            '#   fails STATUS TEXT the run ends with STATUS and the one line TEXT on standard error\n')
    f.write('\n'.join(MANIFEST) + '\n')
