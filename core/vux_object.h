#pragma once
#include <cstdint>
#include <memory>

class vux_reader;
class vux_writer;

// Common base of every serialisable object. It carries no data; the seven
// virtual operations let containers copy, compare, hash and (de)serialise
// objects without knowing their class.
class vux_object {
public:
    vux_object() = default;
    vux_object(const vux_object&) {}
    vux_object& operator=(const vux_object&) { return *this; }
    virtual ~vux_object();

    // Compares the object's name with a key; unnamed objects never match.
    virtual bool matches(const char* name) const;
    virtual int32_t type_code() const;
    virtual void read(vux_reader& reader);
    virtual void write(vux_writer& writer) const;
    virtual int32_t hash() const;
    // A new object of the same class, owned by the caller; null when the
    // class is never copied this way.
    virtual std::unique_ptr<vux_object> clone() const;
};
