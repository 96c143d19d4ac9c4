#include "core/vux_object.h"

vux_object::~vux_object() = default;
bool vux_object::matches(const char*) const { return false; }
int32_t vux_object::type_code() const { return 0; }
void vux_object::read(vux_reader&) {}
void vux_object::write(vux_writer&) const {}
int32_t vux_object::hash() const { return 0; }
std::unique_ptr<vux_object> vux_object::clone() const { return nullptr; }
