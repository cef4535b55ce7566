#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target to tests/fuzz/corpus/<target>/: a few inputs, in each
target's script format, that describe the common cases (the card as installed, the usual values) so
the fuzzers start from the interesting paths. Run it again after changing a target's input format."""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def u8(x):
    return bytes([x & 0xFF])


def u16(x):
    return struct.pack('<H', x & 0xFFFF)


def u32(x):
    return struct.pack('<I', x & 0xFFFFFFFF)


def text(s):
    b = s.encode('latin-1') if isinstance(s, str) else bytes(s)
    return u16(len(b)) + b


def write(target, seeds):
    folder = os.path.join(HERE, 'corpus', target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


# ---- a3d_preload: mode, type choice, value bytes

REG_SZ, REG_BINARY, REG_DWORD = 1, 3, 4


def a3d_preload():
    return {
        'dword': u8(0) + u8(REG_DWORD) + u32(0x13790000),
        'text': u8(0) + u8(REG_SZ) + b'  0x5a0000 rest\0',
        'text-unterminated': u8(0) + u8(REG_SZ) + b'1' * 32,
        'binary-long': u8(0) + u8(REG_BINARY) + bytes(range(40)),
        'no-key': u8(1),
        'denied': u8(4) + u8(REG_DWORD) + u32(0x00600000),
    }


# ---- driver_lookup: flags, INI text, registry script, queries

SOUNDCFG = ('[WIN95]\r\nHardwareID=VEN_1A2B&DEV_0930\r\nTamarindID=VEN_1A2B&DEV_0931\r\n'
            '[DESCRIPTION]\r\nDRIVERDESC=Zolvane ZV930 PCI Audio\r\nDRIVERVERSION=4.05.1998\r\n'
            'LOADER=ZVAUDIO.CPL\r\n')

# Script operations (op % 9) and how World reads their arguments.
OP_DEVICE, OP_INSTANCE, OP_DRIVER, OP_CLASS, OP_CLASS_VALUE, OP_CONFIG, OP_CHIP, OP_DENY, OP_PCI = 9, 1, 2, 3, 4, 5, 6, 7, 8


def pool(i, before=None, after=None):
    """A text from the pool: 0 HardwareID, 1 TamarindID, 2 DRIVERDESC, then every key name and "Driver"
    text made since, in order."""
    around = (1 if before is not None else 0) | (2 if after is not None else 0)
    out = u8(i) + u8(around)
    if before is not None:
        out += text(before)
    if after is not None:
        out += text(after)
    return out


def fresh(s):
    return u8(0xFF) + text(s)


def value_name(i):
    return u8(i)


def data_text(pick, terminated=True):
    return u8(1 if terminated else 2) + pick


def data_raw(b):
    return u8(0) + text(b)


def card_registry(driver='MEDIA\\0002', device=pool(0)):
    s = b''
    s += u8(OP_DEVICE) + device                                        # pool 3: Enum\PCI\<HardwareID>
    s += u8(OP_INSTANCE) + u8(0) + fresh('BUS_00&DEV_05&FUNC_00')      # pool 4
    s += u8(OP_DRIVER) + u8(0) + value_name(0) + u8(REG_SZ) + data_text(fresh(driver))  # pool 5
    s += u8(OP_CLASS) + pool(5)                                        # pool 6
    s += u8(OP_CLASS_VALUE) + u8(0) + value_name(0) + u8(REG_SZ) + data_text(pool(2))
    s += u8(OP_CONFIG) + u8(0) + value_name(0) + u8(REG_BINARY) + data_raw(b'\x04')
    s += u8(OP_CONFIG) + u8(0) + value_name(1) + u8(REG_BINARY) + data_raw(b'\x06')
    s += u8(OP_CONFIG) + u8(0) + value_name(2) + u8(REG_BINARY) + data_raw(b'\x01')
    s += u8(OP_CONFIG) + u8(0) + value_name(3) + u8(REG_BINARY) + data_raw(b'\xa7\x00')
    s += u8(OP_PCI) + u16(0x1A2B) + u16(0x0930) + u8(0) + u8(5)
    return s


def queries(*ops):
    return b''.join(ops)


Q_FIND = u8(0)
Q_PATTERN = u8(1) + pool(0)


def q_speakers(op, own_description=True, value=3):
    return u8(3) + u8(op + 1) + u8(1 if own_description else 0) + (b'' if own_description else pool(2)) + u8(value)


Q_MANUFACTURER = u8(4) + u8(1)
Q_INI = u8(5) + pool(2) + pool(2) + u8(60)


def driver_lookup():
    base = u8(4) + text(SOUNDCFG)
    all_queries = queries(Q_FIND, Q_PATTERN, q_speakers(0), q_speakers(1), q_speakers(3), q_speakers(2),
                          Q_MANUFACTURER, Q_INI)
    chip = u8(OP_CHIP) + value_name(0) + u8(REG_BINARY) + data_raw(b'\x01')
    tamarind = (u8(OP_DEVICE) + pool(1) + u8(OP_INSTANCE) + u8(1) + fresh('BUS_00&DEV_07&FUNC_00') +
                u8(OP_DRIVER) + u8(1) + value_name(0) + u8(REG_SZ) + data_text(fresh('MEDIA\\0003')) +
                u8(OP_CLASS) + pool(9) + u8(OP_CLASS_VALUE) + u8(1) + value_name(0) + u8(REG_SZ) +
                data_text(pool(2)) + u8(OP_CONFIG) + u8(1) + value_name(0) + u8(REG_DWORD) +
                data_raw(b'\x04\0\0\0'))
    return {
        'card': base + card_registry() + u8(0) + all_queries,
        'tamarind': base + card_registry() + tamarind + chip + u8(0) + all_queries,
        'no-ini': u8(4 | 1) + text('') + card_registry(device=fresh('VEN_1A2B&DEV_0930')) + u8(0) + all_queries,
        'long-driver': base + card_registry('MEDIA\\' + 'x' * 200) + u8(0) + all_queries,
        'pci-fails': u8(4 | 2) + text(SOUNDCFG) + card_registry() + u8(0) + all_queries,
    }




# ---- mixer: a mixer model, failures, the device choice and a script of page actions

NAMES = ["Master Volume", "Wave", "FM Synth", "CD Audio", "Microphone", "Line In", "Stereo Mix", "Mix", "Mic",
         "CD", "Recording Control", ""]
COMPONENTS = {'speakers': 0, 'wavein': 1, 'mic': 2, 'synth': 3, 'cd': 4, 'waveout': 5, 'analog': 6}
LINE_IDS = [0x00000000, 0x00010000, 0x00020000, 0x00030000, 0x00040000, 0x00050000, 0x00060000,
            0x00000001, 0x00010001, 0x00020001, 0x00030001, 0x00040001]
VOLUME, MUTE, MUX = 0, 1, 2
UNIFORM, MULTIPLE = 1, 2


def name(n):
    return u8(NAMES.index(n))


def control(kind, flags=0, items=(), value=0x8000):
    out = u8(kind) + u8(flags) + u8(len(items)) + b''.join(name(i) for i in items)
    return out + name('') + u32(value) + u32(value)


def line(line_id, component, channels, line_name, controls=(), sources=None):
    out = u8(LINE_IDS.index(line_id)) + u8(COMPONENTS[component]) + u8(channels) + name(line_name)
    out += u8(len(controls)) + b''.join(controls) + u8(0)
    if sources is not None:
        out += u8(len(sources)) + b''.join(sources)
    return out


def card(channels_of_wavein=2, mux_flags=UNIFORM | MULTIPLE):
    vm = (control(VOLUME), control(MUTE, UNIFORM))
    speakers = line(0x00000000, 'speakers', 2, 'Master Volume', vm, [
        line(0x00010000, 'analog', 2, 'Line In', vm),
        line(0x00020000, 'waveout', 2, 'Wave', vm),
        line(0x00030000, 'synth', 2, 'FM Synth', vm),
        line(0x00040000, 'cd', 2, 'CD Audio', vm),
        line(0x00050000, 'mic', 1, 'Microphone', vm),
        line(0x00060000, 'analog', 2, 'Line In', vm),
    ])
    wavein = line(0x00000001, 'wavein', channels_of_wavein, 'Recording Control',
                  (control(VOLUME), control(MUX, mux_flags, ['Line In', 'Mix', 'Mic', 'CD'], 0)), [
        line(0x00010001, 'analog', 2, 'Line In', (control(VOLUME),)),
        line(0x00020001, 'analog', 2, 'Stereo Mix', (control(VOLUME),)),
        line(0x00030001, 'mic', 1, 'Microphone', (control(VOLUME),)),
        line(0x00040001, 'cd', 2, 'CD Audio', (control(VOLUME),)),
    ])
    device = u16(0x00A7) + name('') + u8(2) + speakers + wavein + u8(0)
    return u8(1) + device


RECORD = 0x80
A_INIT, A_REFRESH, A_VOLUME, A_BALANCE, A_CHECK, A_CLOSE, A_CHANGE, A_FAIL, A_MODEL = range(9)


def page_script(page):
    s = u8(page | A_INIT) + u8(page | A_REFRESH)
    for column in range(6 if page == 0 else 4):
        s += u8(page | A_VOLUME) + u8(column) + u8(column * 3)
        s += u8(page | A_BALANCE) + u8(column) + u8(column * 7)
        s += u8(page | A_CHECK) + u8(column) + u8(1)
        s += u8(page | A_REFRESH)
    return s


def mixer():
    choose = u8(0) + u8(0) + u16(0x00A7)  # no failures; the device by the driver's manufacturer id
    both = page_script(0) + page_script(RECORD)
    return {
        'card-pages': card() + choose + both + u8(A_CLOSE) + u8(RECORD | A_CLOSE),
        'card-per-channel-mux': card(2, MULTIPLE) + choose + page_script(RECORD),
        'card-changing': (card() + choose + u8(A_INIT) + u8(A_CHANGE) + u8(0) + u8(0) + u8(4) +
                          u8(A_REFRESH) + u8(A_VOLUME) + u8(1) + u8(5) + u8(A_INIT) + u8(A_REFRESH)),
        'card-failing': (card() + u8(2) + u8(6) + u8(3) + u8(0) + u8(0) + u8(7) + u8(1) + u8(1) + u8(1) +
                         u8(0x80) + both),
        'no-device': u8(0) + u8(0) + u8(0x80) + u8(A_INIT) + u8(A_REFRESH) + u8(A_VOLUME) + u8(0) + u8(3) +
                     u8(A_MODEL) + u8(2) + u32(100) + u32(50000) + u8(16) + u8(7) + u8(1),
    }


# ---- q3d_load: registry flags, the "splash time" value, maybe a record, then each Get's answer

def f32(x):
    return struct.pack('<f', x)


def answer(value, result=0):
    """A well-behaved answer of the value's own size (mode = size); result 0xE0 and up fails."""
    return u8(result) + u8(len(value)) + value


def oversized(value):
    return u8(0) + u8(0xC3) + value


def q3d_load():
    card = [u32(1), u32(0), u32(1), u32(1), u32(1), u32(0) + u32(5), u32(0x1234), u32(1), f32(0.5), f32(0.25),
            u32(750)]
    splash_on = u8(1) + u8(REG_BINARY) + text(u32(2000))
    after = u32(12) + u32(2) + u32(500) + u32(1000) + u8(1) + u8(0) * 11
    return {
        'card': splash_on + b''.join(answer(v) for v in card) + after,
        'failing': splash_on + b''.join(answer(v, 0xE0) for v in card) + after,
        'oversized': u8(0) + u8(REG_DWORD) + text(u32(0)) + b''.join(oversized(v) for v in card) + after,
        'short': u8(2) + u8(0) + text(b'') + b''.join(u8(0) + u8(len(v) - 1) + v[:-1] for v in card) + after,
        'nan-record': (u8(1 | 8) + u8(REG_BINARY) + text(b'\0\0\0\0\0') + b'\xff' * 56 +
                       b''.join(answer(v) for v in card[:8]) + answer(f32(float('nan'))) +
                       answer(f32(1e30)) + answer(u32(0)) + after),
    }


# ---- test_sound: mode (1 a full disk, 2 a read-only target, 4 no source), the disk's room, then the
# source recording's bytes

def wave(bits=16, samples=64, extra=b'', declared=None, rate=22050):
    block = max(bits // 8, 1)
    data = bytes((i * 37) & 0xFF for i in range(samples * block))
    fmt_size = 16 + len(extra)
    header = (b'RIFF' + u32(36 + len(extra) + 8 + len(data)) + b'WAVE' + b'fmt ' + u32(fmt_size) +
              u16(1) + u16(1) + u32(rate) + u32(rate * block) + u16(block) + u16(bits))
    return header + extra + b'data' + u32(len(data) if declared is None else declared) + data


def test_sound():
    def seed(source, full=False, room=0, mode=0):
        return u8(mode | (1 if full else 0)) + u16(room) + source
    return {
        'pcm16': seed(wave()),
        'pcm8': seed(wave(8)),
        'pcm24': seed(wave(24, 40)),
        'pcm12': seed(wave(12, 40)),
        'header50': seed(wave(16, 32, extra=b'\0' * 6)),
        'list-chunk-with-d': seed(wave(16, 8, extra=b'LIST' + u32(4) + b'odd!')),
        'declared-too-long': seed(wave(16, 16, declared=100000)),
        'declared-short': seed(wave(16, 600, declared=7)),
        'header-only': seed(wave()[:36]),
        'disk-full': seed(wave(16, 700), True, 1500),
        'read-only': seed(wave(), mode=2),
        'no-source': seed(wave(), mode=4),
    }


if __name__ == '__main__':
    write('a3d_preload', a3d_preload())
    write('driver_lookup', driver_lookup())
    write('mixer', mixer())
    write('q3d_load', q3d_load())
    write('test_sound', test_sound())
