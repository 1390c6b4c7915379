#pragma once
// The payload reader's two failures. Both reach the application's default handler, which
// shows the message; "Error" is the whole message of a record that cannot be read, on
// purpose: the user cannot act on zlib's detail, and the run names the item itself.
#include "util/exceptions.h"
#include "util/bytes.h"

namespace tarnwick {

// The named blob is not in the program's image ("Resource %s not found").
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

class EZlibError : public Exception {
 public:
  using Exception::Exception;
};

// A record that does not decipher and inflate into exactly what its header promises.
class EDecompressionError : public EZlibError {
 public:
  EDecompressionError() : EZlibError("Error") {}
};

}  // namespace tarnwick
