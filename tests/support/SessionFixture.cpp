#include "support/SessionFixture.h"

#include "base/TextFile.h"

namespace plandeck::test {

std::string SessionFixture::ReadShipped(const std::string& name) {
    return ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/" + name).bytes;
}

} // namespace plandeck::test
