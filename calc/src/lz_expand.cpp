// Expansion of the LZ compressed file format written by the DOS and Windows
// "compress" tool ("SZDD" files), and the plain copy of every other file.
//
// An SZDD file is a 14-byte header -- the signature "SZDD" 88 F0 27 33, the
// mode byte 'A', the last character of the uncompressed file's name (dropped
// by the compressor's "_" naming) and the expanded length, 32-bit
// little-endian -- followed by LZSS tokens.  A flag byte governs the next
// eight tokens, least significant bit first: a set bit is one literal byte,
// a clear bit a 2-byte reference b0 b1 into a 4096-byte ring of the bytes
// written so far, at position b0 | (b1 & 0xF0) << 4, of length
// (b1 & 0x0F) + 3.  The ring starts full of spaces with its write position
// at 4096 - 16, so a reference may reach into that initial fill, and may
// overlap the bytes it is writing.
//
// What counts as damaged (LzOutcome::Damaged, never a partial success):
// - the signature is present but the header is cut short, or its mode is not
//   'A' (there is no other mode we know how to expand);
// - the data ends between the two bytes of a reference;
// - the tokens would write more bytes than the header's length, or end
//   before they have written that many (a file cut at a token boundary would
//   otherwise expand "successfully" into a short file).
// The data may end anywhere else: the unused bits of the last flag byte, or a
// flag byte with no token after it, are padding.  Bytes after the last token
// that would write past the length are damage, not padding.  Every token
// consumes input and the output is bounded by the header's length, so no
// input, however garbled, can make the expansion loop forever.
//
// Files in the older "KWAJ" variant, and the "SZ" files of early Windows 3.0
// previews, are not expanded: the platform's own LZ copy routine never
// expanded them either, so a program relying on it always received them as
// they are, and so they are copied byte for byte like any other file.
#include "lz_expand.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kEnd = -1;   // end of the input
constexpr int kFail = -2;  // read error, errno kept in Reader::Error

constexpr std::size_t kHeaderSize = 14;
constexpr uint8_t kSignature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr unsigned kRingSize = 4096;
constexpr unsigned kRingMask = kRingSize - 1;

// The buffers are left uninitialised: only bytes read or written are used.
struct Reader {
    explicit Reader(int descriptor) : Fd(descriptor) {}
    int Fd;
    int Error = 0;
    std::size_t Pos = 0, Len = 0;
    bool AtEnd = false;
    uint8_t Buf[qv::kCopyChunk];

    int Next()
    {
        if (Pos == Len && !Refill()) return Error ? kFail : kEnd;
        return Buf[Pos++];
    }

    bool Refill()
    {
        if (AtEnd || Error) return false;
        for (;;) {
            const ssize_t n = ::read(Fd, Buf, sizeof Buf);
            if (n > 0) {
                Pos = 0;
                Len = static_cast<std::size_t>(n);
                return true;
            }
            if (n == 0) {
                AtEnd = true;
                return false;
            }
            if (errno != EINTR) {
                Error = errno;
                return false;
            }
        }
    }
};

struct Writer {
    explicit Writer(int descriptor) : Fd(descriptor) {}
    int Fd;
    int Error = 0;
    std::size_t Len = 0;
    uint8_t Buf[qv::kCopyChunk];

    bool Put(uint8_t c)
    {
        if (Len == sizeof Buf && !Flush()) return false;
        Buf[Len++] = c;
        return true;
    }

    bool Write(const uint8_t *p, std::size_t n)
    {
        while (n > 0) {
            const ssize_t w = ::write(Fd, p, n);
            if (w < 0) {
                if (errno == EINTR) continue;
                Error = errno;
                return false;
            }
            p += w;
            n -= static_cast<std::size_t>(w);
        }
        return true;
    }

    bool Flush()
    {
        const bool ok = Write(Buf, Len);
        Len = 0;
        return ok;
    }
};

qv::LzResult Result(qv::LzOutcome outcome, int error = 0) { return {outcome, error}; }

// The LZSS tokens after the header, `expected` bytes of output in all.
qv::LzResult Expand(Reader &in, Writer &out, uint32_t expected)
{
    uint8_t ring[kRingSize];
    std::memset(ring, ' ', sizeof ring);
    unsigned pos = kRingSize - 16;
    uint64_t remaining = expected;

    // Every byte written also enters the ring, whether literal or copied.
    auto emit = [&](uint8_t c) {
        ring[pos] = c;
        pos = (pos + 1) & kRingMask;
        return out.Put(c);
    };

    for (int flags; (flags = in.Next()) >= 0;) {
        for (int bit = 0; bit < 8; ++bit) {
            const int b0 = in.Next();
            if (b0 < 0) break;
            if (flags & (1 << bit)) {
                if (remaining == 0) return Result(qv::LzOutcome::Damaged);
                --remaining;
                if (!emit(static_cast<uint8_t>(b0))) return Result(qv::LzOutcome::WriteFailed, out.Error);
                continue;
            }
            const int b1 = in.Next();
            if (b1 == kFail) break;
            if (b1 == kEnd) return Result(qv::LzOutcome::Damaged);
            const unsigned from = static_cast<unsigned>(b0) | (static_cast<unsigned>(b1 & 0xF0) << 4);
            const unsigned count = static_cast<unsigned>(b1 & 0x0F) + 3;
            if (count > remaining) return Result(qv::LzOutcome::Damaged);
            remaining -= count;
            // Byte by byte, so that a reference overlapping its own output
            // repeats the bytes it has just written.
            for (unsigned k = 0; k < count; ++k)
                if (!emit(ring[(from + k) & kRingMask])) return Result(qv::LzOutcome::WriteFailed, out.Error);
        }
    }
    if (in.Error) return Result(qv::LzOutcome::ReadFailed, in.Error);
    if (remaining != 0) return Result(qv::LzOutcome::Damaged);
    return Result(qv::LzOutcome::Ok);
}

}  // namespace

namespace qv {

LzResult LzCopy(int inFd, int outFd)
{
    // Two chunk buffers and the ring: about 36 KiB of stack, no heap.
    Reader in(inFd);
    Writer out(outFd);

    // The header decides: gather up to its size, however the reads split it.
    uint8_t head[kHeaderSize];
    std::size_t have = 0;
    for (int c; have < kHeaderSize && (c = in.Next()) >= 0;) head[have++] = static_cast<uint8_t>(c);
    if (in.Error) return Result(LzOutcome::ReadFailed, in.Error);

    if (have >= sizeof kSignature && std::memcmp(head, kSignature, sizeof kSignature) == 0) {
        if (have < kHeaderSize || head[8] != 'A') return Result(LzOutcome::Damaged);
        const uint32_t expected = uint32_t{head[10]} | uint32_t{head[11]} << 8 | uint32_t{head[12]} << 16 |
                                  uint32_t{head[13]} << 24;
        const LzResult r = Expand(in, out, expected);
        if (r.Outcome != LzOutcome::Ok) return r;
    } else {
        // Not compressed: what was read ahead, then the rest chunk by chunk
        // straight from the reader's buffer.
        if (!out.Write(head, have)) return Result(LzOutcome::WriteFailed, out.Error);
        while (in.Pos < in.Len || in.Refill()) {
            if (!out.Write(in.Buf + in.Pos, in.Len - in.Pos)) return Result(LzOutcome::WriteFailed, out.Error);
            in.Pos = in.Len;
        }
        if (in.Error) return Result(LzOutcome::ReadFailed, in.Error);
    }
    if (!out.Flush()) return Result(LzOutcome::WriteFailed, out.Error);
    return Result(LzOutcome::Ok);
}

}  // namespace qv
