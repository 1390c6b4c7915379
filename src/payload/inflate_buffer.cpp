#include "payload/inflate_buffer.h"

#include <new>

#define ZLIB_CONST
#include <zlib.h>

#include "payload/payload_errors.h"

namespace tarnwick {
namespace {

// zlib's own tables come zero-filled from the program's heap.
voidpf ZeroedAlloc(voidpf, uInt items, uInt size) { return std::calloc(items, size); }
void HeapFree(voidpf, voidpf block) { std::free(block); }

// Ends the inflater on every way out; the normal way out ends it itself to test the code.
class Inflater {
 public:
  explicit Inflater(z_stream& stream) : stream_(stream) {
    if (inflateInit(&stream_) < 0) throw EDecompressionError();
    live_ = true;
  }
  ~Inflater() {
    if (live_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  void End() {
    live_ = false;
    if (inflateEnd(&stream_) < 0) throw EDecompressionError();
  }

 private:
  z_stream& stream_;
  bool live_ = false;
};

// The output as a heap block of its own.
class HeapOutput {
 public:
  // Makes room for `capacity` bytes, keeping what is there, and returns the block's start.
  // zlib refuses a null output pointer even where there is no room to write, so an empty
  // block is still one real byte.
  unsigned char* Reserve(int64_t capacity) {
    void* moved = std::realloc(block_.get(), capacity > 0 ? size_t(capacity) : 1);
    if (!moved) throw std::bad_alloc();
    block_.release();
    block_.reset(static_cast<unsigned char*>(moved));
    return block_.get();
  }
  void Finish(int64_t produced, int64_t capacity) {
    if (produced == 0) {
      block_.reset();
    } else if (produced < capacity) {
      Reserve(produced);
    }
  }
  HeapBlock Take() { return std::move(block_); }

 private:
  HeapBlock block_;
};

// The output straight into a byte string: a well-formed item is inflated where its Content
// will live, so the bytes are never copied again.
class BytesOutput {
 public:
  explicit BytesOutput(Bytes& bytes) : bytes_(bytes) {}
  unsigned char* Reserve(int64_t capacity) {
    bytes_.resize(size_t(capacity));
    return reinterpret_cast<unsigned char*>(bytes_.data());  // never null, even when empty
  }
  void Finish(int64_t produced, int64_t) { bytes_.resize(size_t(produced)); }

 private:
  Bytes& bytes_;
};

template <typename Output>
int64_t Inflate(Output& output, const unsigned char* input, int32_t inputLength, int32_t estimate,
                int32_t maxLength) {
  if (inputLength < 0 || estimate < 0) throw EDecompressionError();
  const int64_t step = InflateGrowthStep(inputLength);
  int64_t capacity = estimate != 0 ? estimate : step;
  unsigned char* block = output.Reserve(capacity);

  z_stream stream{};
  stream.zalloc = ZeroedAlloc;
  stream.zfree = HeapFree;
  stream.next_in = input;
  stream.avail_in = static_cast<uInt>(inputLength);
  stream.next_out = block;
  stream.avail_out = static_cast<uInt>(capacity);
  Inflater inflater(stream);

  for (;;) {
    const int code = inflate(&stream, Z_FINISH);
    if (code == Z_STREAM_END) break;
    // Under Z_FINISH a stream that is sound so far but has filled the block answers
    // Z_BUF_ERROR (Z_OK in old zlib releases) with no output space left: grow and go on.
    // With space left the input ended early; Z_NEED_DICT and every other code is a stream
    // this reader cannot finish. Without input there is nothing to grow for.
    const bool blockFull = (code == Z_BUF_ERROR || code == Z_OK) && stream.avail_out == 0;
    if (!blockFull || step == 0) throw EDecompressionError();
    const int64_t written = capacity;
    if (written >= maxLength) throw EDecompressionError();
    capacity += step;
    if (capacity > std::numeric_limits<int32_t>::max()) throw EDecompressionError();
    block = output.Reserve(capacity);
    stream.next_out = block + written;
    stream.avail_out = static_cast<uInt>(step);
  }
  const int64_t produced = stream.next_out - block;
  inflater.End();
  if (produced > maxLength) throw EDecompressionError();
  output.Finish(produced, capacity);
  return produced;
}

}  // namespace

int64_t InflateGrowthStep(int32_t inputLength) {
  return (int64_t(inputLength) + 255) & ~int64_t(255);
}

InflatedBlock InflateBuffer(const unsigned char* input, int32_t inputLength, int32_t estimate,
                            int32_t maxLength) {
  HeapOutput output;
  const int64_t produced = Inflate(output, input, inputLength, estimate, maxLength);
  return InflatedBlock{output.Take(), static_cast<int32_t>(produced)};
}

Bytes InflateToBytes(const unsigned char* input, int32_t inputLength, int32_t estimate,
                     int32_t maxLength) {
  Bytes bytes;
  BytesOutput output(bytes);
  Inflate(output, input, inputLength, estimate, maxLength);
  return bytes;
}

}  // namespace tarnwick
