"""Reads WAV files (16/24/32-bit PCM, 32-bit float) and compares two renders."""
import math
import struct

PCM, FLOAT, EXTENSIBLE = 1, 3, 0xFFFE


def read_wav(path):
    """Returns (rate, channels as lists of floats)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{path}: not a WAV file")
    pos, fmt, samples = 12, None, None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        body = data[pos + 8:pos + 8 + size]
        if tag == b"fmt ":
            code, channels, rate = struct.unpack_from("<HHI", body)
            bits = struct.unpack_from("<H", body, 14)[0]
            if code == EXTENSIBLE:
                code = struct.unpack_from("<H", body, 24)[0]
            fmt = (code, channels, rate, bits)
        elif tag == b"data":
            samples = body
        pos += 8 + size + (size & 1)
    if fmt is None or samples is None:
        raise ValueError(f"{path}: no format or no data")
    code, channels, rate, bits = fmt
    width = bits // 8
    count = len(samples) // width
    if code == FLOAT and bits == 32:
        values = struct.unpack(f"<{count}f", samples[:count * 4])
    elif code == PCM and bits in (16, 32):
        scale = float(1 << (bits - 1))
        kind = "h" if bits == 16 else "i"
        values = [v / scale for v in struct.unpack(f"<{count}{kind}", samples[:count * width])]
    elif code == PCM and bits == 24:
        values = [int.from_bytes(samples[i:i + 3], "little", signed=True) / 8388608.0
                  for i in range(0, count * 3, 3)]
    else:
        raise ValueError(f"{path}: format {code} with {bits} bits is not read")
    return rate, [list(values[c::channels]) for c in range(channels)]


def write_stereo_float(path, rate, left, right):
    frames = b"".join(struct.pack("<ff", l, r) for l, r in zip(left, right))
    fmt = struct.pack("<HHIIHH", FLOAT, 2, rate, rate * 8, 8, 32)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + \
        b"data" + struct.pack("<I", len(frames)) + frames
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def db(value):
    return 20 * math.log10(value) if value > 0 else -math.inf


def rms_db(samples):
    return db(math.sqrt(sum(s * s for s in samples) / max(len(samples), 1)))


def correlation(a, b):
    n = min(len(a), len(b))
    a, b = a[:n], b[:n]
    ma, mb = sum(a) / n, sum(b) / n
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = sum((x - ma) ** 2 for x in a)
    vb = sum((y - mb) ** 2 for y in b)
    return cov / math.sqrt(va * vb) if va > 0 and vb > 0 else 0.0


def difference_db(a, b):
    """Level of the sample-wise difference, dBFS (RMS)."""
    n = min(len(a), len(b))
    return rms_db([x - y for x, y in zip(a[:n], b[:n])])


def compare(path, reference, skip=0):
    """Per channel, from frame skip on: (level dB, reference level dB, correlation,
    difference dB)."""
    _, got = read_wav(path)
    _, want = read_wav(reference)
    return [(rms_db(g[skip:]), rms_db(w[skip:]), correlation(g[skip:], w[skip:]),
             difference_db(g[skip:], w[skip:])) for g, w in zip(got, want)]
