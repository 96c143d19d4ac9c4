// Builds a markup document or a framed message from its JSON form; see
// vux_builder.h.
#include <cstdio>
#include <string>
#include "toolkit/vux_builder.h"

int main(int argc, char** argv) {
    std::string out, err;
    int code = vux_build_main(argc, argv, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
