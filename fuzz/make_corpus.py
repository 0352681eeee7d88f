#!/usr/bin/env python3
"""Writes the small seed files of the fuzz corpora (corpus/md2, corpus/bmp, the hostile LAN frames of
corpus/net, the kept matches of corpus/replay) and a few hand-made hostile inputs (regressions/). Run from anywhere; rewrites the files in
place."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def md2(skins, texcoords, triangles, frames, skin=(64, 32), glcmds=0):
    """frames: list of (name, scale, translate, [(x, y, z), ...])."""
    nxyz = len(frames[0][3]) if frames else 0
    frame_size = 40 + 4 * nxyz
    ofs_skins = 68
    ofs_st = ofs_skins + 64 * len(skins)
    ofs_tris = ofs_st + 4 * len(texcoords)
    ofs_frames = ofs_tris + 12 * len(triangles)
    ofs_gl = ofs_frames + frame_size * len(frames)
    ofs_end = ofs_gl + 4 * glcmds
    out = struct.pack('<4s16i', b'IDP2', 8, skin[0], skin[1], frame_size, len(skins), nxyz, len(texcoords),
                      len(triangles), glcmds, len(frames), ofs_skins, ofs_st, ofs_tris, ofs_frames, ofs_gl, ofs_end)
    for s in skins:
        out += s.encode().ljust(64, b'\0')
    for s, t in texcoords:
        out += struct.pack('<hh', s, t)
    for tri in triangles:
        out += struct.pack('<6H', *tri)
    for name, scale, translate, verts in frames:
        out += struct.pack('<6f', *scale, *translate) + name.encode().ljust(16, b'\0')
        for v in verts:
            out += struct.pack('<4B', *v, 0)
    out += b'\0' * (4 * glcmds)
    return out


def bmp(width, height, bits, rows, palette=(), top_down=False, bitfields=None):
    """rows: list (top row first) of lists of stored pixel values (index, or 0xRRGGBB)."""
    stride = ((width * bits + 31) // 32) * 4
    extra = b''
    compression = 0
    if bitfields:
        compression = 3
        extra = struct.pack('<3I', *bitfields)
    pal = b''.join(struct.pack('<I', c) for c in palette)
    offset = 14 + 40 + len(extra) + len(pal)
    size = offset + stride * height
    out = b'BM' + struct.pack('<IHHI', size, 0, 0, offset)
    out += struct.pack('<IiiHHIIiiII', 40, width, -height if top_down else height, 1, bits, compression,
                       stride * height, 2835, 2835, len(palette) if bits == 8 else 0, 0)
    out += extra + pal
    stored = rows if top_down else list(reversed(rows))
    for row in stored:
        line = b''
        for v in row:
            if bits == 8:
                line += bytes([v])
            elif bits == 24:
                line += struct.pack('<I', v)[:3]
            else:
                line += struct.pack('<I', v)
        out += line.ljust(stride, b'\0')
    return out


def frame(kind, seq, ack=0, bits=0, payload=b'', session=0x1234):
    """A frame of the LAN protocol's extension (docs/lan-protocol.md)."""
    return b'VTX~' + bytes([1]) + kind + struct.pack('<4I', session, seq, ack, bits) + payload


def net_input(state, records):
    """fuzz_net's input: the state byte, then (sender, bytes) records; sender 3 moves the clock on."""
    out = bytes([state])
    for sender, data in records:
        if sender == 3:
            out += bytes([3]) + struct.pack('<H', data)
        else:
            out += bytes([sender]) + struct.pack('<H', len(data)) + data
    return out


def net_seeds():
    # States: 15 the extended battle on this side's turn, 16 on the opponent's, 0 the creator's lobby.
    write('corpus/net', 'bogus_acks', net_input(15, [
        (0, frame(b'A', 0, 3)), (0, frame(b'A', 0, 1000)), (0, frame(b'A', 0, 0xFFFFFFFF)),
        (0, frame(b'A', 0, 0, 0x80000000)), (0, frame(b'A', 0, 0xFFFFFFFE, 1)), (3, 40)]))
    plain = [b'SYS$$Move:3 7 ', b'SYS$$Exit:', b'SYS$$Info:', bytes(600), b'SYS$$Field:', b'0' * 100]
    write('corpus/net', 'plain_in_extended', net_input(16, [(0, p) for p in plain] + [(1, p) for p in plain]))
    write('corpus/net', 'out_of_turn_fleet_again_off_grid', net_input(15, [
        (0, frame(b'M', 2, payload=bytes([3, 7]))), (0, frame(b'F', 3, payload=bytes(700))),
        (0, frame(b'M', 4, payload=bytes([11, 0]))), (3, 40)]))
    write('corpus/net', 'window_edge', net_input(16, [
        (0, frame(b'M', seq, payload=bytes([seq % 10 + 1, seq // 10 + 1]))) for seq in range(3, 40)] + [
        (0, frame(b'M', 2, payload=bytes([1, 1])))]))
    # 41: the extended creator lost a match and wants another one.
    chat = lambda seq, name, text: frame(b'C', seq, payload=bytes([len(name)]) + name + text)
    write('corpus/net', 'chat_in_battle', net_input(16, [
        (0, chat(2, 'Анна'.encode(), 'Привет!'.encode())), (0, chat(3, b'Q', b'a\x1bb')),
        (0, chat(4, b'Q', b'\xed\xa0\x80')), (0, frame(b'C', 5, payload=b'\x01Q')),
        (0, chat(5, b'Q', b'x' * 201))] + [(0, chat(seq, b'Q', b'flood')) for seq in range(5, 12)] + [
        (0, frame(b'N', 12, payload=struct.pack('<I', 2))), (3, 130), (0, chat(13, b'Q', b'later'))]))
    write('corpus/net', 'rematch_after_loss', net_input(41, [
        (0, chat(2, b'Quentin', b'Again?')), (0, frame(b'R', 3, payload=b'\x02')),
        (0, frame(b'N', 3, payload=struct.pack('<I', 2))), (0, frame(b'R', 4, payload=b'\x01')),
        (3, 20), (0, frame(b'R', 5, payload=b'\x00')), (3, 200)]))
    write('corpus/net', 'utf8_presence_and_query', net_input(0, [
        (1, 'SYS$$Present: ??????        ~VTX1Анастасия'.encode()), (1, b'SYS$$Present?~VTX1'),
        (1, b'SYS$$Present: Bad           ~VTX1\xc0\xaf\xed\xa0\x80'), (2, b'SYS$$Present?~VTX1')]))


def habit(fleets, counts, version=1):
    """The habit file: "VXHB", version, fleets, 100 counts, CRC-32 (game/admiral/PlayerHabit.h)."""
    body = b'VXHB' + bytes([version, 0, 0, 0]) + struct.pack('<HH', fleets, 0) + struct.pack('<100H', *counts)
    return body + struct.pack('<I', zlib.crc32(body))


def habit_seeds():
    border = [1 if r in (0, 9) or c in (0, 9) else 0 for r in range(10) for c in range(10)]
    write('corpus/habit', 'empty.dat', habit(0, [0] * 100))
    write('corpus/habit', 'border-hugger.dat', habit(12, [9 * b + 1 for b in border]))
    write('corpus/habit', 'full.dat', habit(65535, [65535 if i % 7 == 0 else i * 600 for i in range(100)]))
    write('corpus/habit', 'count-above-fleets.dat', habit(3, [4] + [0] * 99))
    write('regressions/habit', 'crc-broken.dat', habit(2, [1] * 100)[:-1] + b'\0')
SHIP_SIZES = (4, 3, 3, 2, 2, 2, 1, 1, 1, 1)


def fleet_and_grid(starts, down=False):
    """starts: the first deck (row, column) of ships 1..10; every ship along its row, or down its
    column when down. Returns the 600-byte fleet block and the 100-byte grid block
    (game/FleetBlock.h)."""
    grid = [[b'0'] * 10 for _ in range(10)]
    fleet = b''
    decks = []
    for size, (row, col) in zip(SHIP_SIZES, starts):
        cells = [(row + k, col) if down else (row, col + k) for k in range(size)]
        decks += cells
        rows = [r for r, _ in cells] + [0] * (4 - size)
        cols = [c for _, c in cells] + [0] * (4 - size)
        states = [10] * size + [0] * (4 - size)
        fleet += struct.pack('<2i4i4i4iB3x', size, 0, *cols, *rows, *states, 0 if down else 1)
    for r, c in decks:
        for rr in range(r - 1, r + 2):
            for cc in range(c - 1, c + 2):
                if 1 <= rr <= 10 and 1 <= cc <= 10 and (rr, cc) not in decks:
                    grid[rr - 1][cc - 1] = b'2'
        grid[r - 1][c - 1] = b'1'
    return fleet, b''.join(b''.join(line) for line in grid)


ROWS_OF_SHIPS = [(1, 1), (3, 1), (3, 5), (5, 1), (5, 4), (5, 7), (7, 1), (7, 3), (7, 5), (7, 7)]


def replay(kind, level, end, shots, name=b'', started=1700000000, cut=False, version=1):
    """A kept match as docs/replay-format.md lays it out; shots: (ms, side, row, column)."""
    own = fleet_and_grid(ROWS_OF_SHIPS)
    enemy = fleet_and_grid([(c, r) for r, c in ROWS_OF_SHIPS], down=True)
    out = b'VTXREPLY' + struct.pack('<HHqBBBB', version, 1 if cut else 0, started, kind, level, end, len(name))
    out += name + own[0] + own[1] + enemy[0] + enemy[1] + struct.pack('<I', len(shots))
    for ms, side, row, col in shots:
        out += struct.pack('<IBBBB', ms, side, row, col, 0)
    return out + struct.pack('<I', zlib.crc32(out))


def replay_seeds():
    enemy_decks = [(c + k, r) for (r, c), size in zip(ROWS_OF_SHIPS, SHIP_SIZES) for k in range(size)]
    # Against the computer at Hard: it misses, the player sinks everything.
    won = [(0, 1, 10, 10)] + [(900 * (i + 1), 0, r, c) for i, (r, c) in enumerate(enemy_decks)]
    write('corpus/replay', 'computer_won.vtxr', replay(1, 3, 1, won))
    # Over the LAN: the opponent sinks the one-deck ship at g1 and shoots the water it marked, then leaves.
    lan = [(0, 0, 10, 10), (1500, 1, 7, 1), (4000, 1, 7, 2), (4100, 1, 8, 8), (9000, 0, 1, 1)]
    write('corpus/replay', 'lan_left.vtxr', replay(2, 0, 6, lan, name='Анна'.encode()))
    # Left by Exit at the computer's first shot, and a cut LAN match of wasted shots.
    write('corpus/replay', 'computer_exit.vtxr', replay(1, 3, 3, [(0, 1, 4, 4)]))
    write('corpus/replay', 'lan_cut.vtxr', replay(2, 0, 5, [(i * 10, 0, 10, 10) for i in range(40)], b'Bo', cut=True))
    # Refused: a later version, a shot count whose size wraps 32 bits, a shot off the board.
    write('regressions/replay', 'later-version.vtxr', replay(1, 1, 3, [(0, 1, 4, 4)], version=2))
    bad = bytearray(replay(1, 1, 3, [(0, 1, 4, 4)]))
    struct.pack_into('<I', bad, 1424, 0x20000001)
    write('regressions/replay', 'shot-count-wraps.vtxr', bytes(bad))
    write('regressions/replay', 'shot-off-board.vtxr', replay(1, 1, 3, [(0, 1, 11, 4)]))


def write(folder, name, data):
    path = os.path.join(HERE, folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    tetra_verts = [(0, 0, 0), (10, 0, 0), (0, 10, 0), (0, 0, 10)]
    tetra = md2(['skin.pcx'], [(0, 0), (64, 0), (0, 32), (32, 16), (16, 8)],
                [(0, 1, 2, 0, 1, 2), (0, 3, 1, 0, 3, 1), (0, 2, 3, 0, 2, 4), (1, 3, 2, 1, 3, 2)],
                [('stand01', (1, 1, 1), (0, 0, 0), tetra_verts),
                 ('stand02', (1, 1, 1), (10, 0, 0), tetra_verts)], glcmds=2)
    write('corpus/md2', 'tetrahedron.md2', tetra)
    quad = [(0, 0, 0), (200, 0, 0), (200, 30, 0), (0, 30, 0)]
    write('corpus/md2', 'animated.md2',
          md2([], [(0, 0), (255, 0), (255, 255), (0, 255)], [(0, 1, 2, 0, 1, 2), (0, 2, 3, 0, 2, 3)],
              [('walk01', (0.2, 0.2, 0.2), (-15, -3, 0), quad), ('walk02', (0.2, 0.2, 0.2), (-15, -3, 1), quad),
               ('stop01', (0.2, 0.2, 0.2), (-15, -3, 0), quad)], skin=(256, 256)))
    write('corpus/md2', 'point.md2', md2([], [], [], [('base01', (1, 1, 1), (0, 0, 0), [(1, 2, 3)])]))

    write('corpus/bmp', 'palette8.bmp',
          bmp(5, 3, 8, [[0, 1, 2, 3, 0], [1, 2, 3, 0, 1], [2, 3, 0, 1, 2]],
              palette=[0x000000, 0xffffff, 0xff0000, 0x00ff00]))
    write('corpus/bmp', 'rgb24-topdown.bmp',
          bmp(3, 2, 24, [[0x102030, 0x405060, 0x708090], [0xffffff, 0x000000, 0x808080]], top_down=True))
    write('corpus/bmp', 'rgb32.bmp', bmp(2, 2, 32, [[0x00ff00, 0xff0000], [0x0000ff, 0x7f7f7f]]))
    write('corpus/bmp', 'bitfields32.bmp',
          bmp(2, 1, 32, [[0x12345678, 0xffffffff]], bitfields=(0x00ff0000, 0x0000ff00, 0x000000ff)))

    net_seeds()
    habit_seeds()
    replay_seeds()

    # Hostile inputs that once needed care: kept to be replayed on every run.
    bad = bytearray(tetra)
    struct.pack_into('<i', bad, 4 * 14, 0x7ffffff0)  # frames offset near 2^31
    write('regressions/md2', 'frames-offset-overflow.md2', bytes(bad))
    bad = bytearray(tetra)
    struct.pack_into('<i', bad, 4 * 8, 0x15555556)  # triangle count whose byte size wraps 32 bits
    write('regressions/md2', 'triangle-count-wraps.md2', bytes(bad))
    bad = bytearray(bmp(2, 2, 24, [[0, 0], [0, 0]]))
    struct.pack_into('<i', bad, 22, -0x80000000)  # height INT_MIN: its negation overflows
    write('regressions/bmp', 'height-int-min.bmp', bytes(bad))
    bad = bytearray(bmp(3, 1, 8, [[0, 1, 2]], palette=[0x808080]))
    struct.pack_into('<I', bad, 46, 0xffffffff)  # colours used: absurd
    write('regressions/bmp', 'palette-count-absurd.bmp', bytes(bad))


if __name__ == '__main__':
    main()
