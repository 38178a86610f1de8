// A small streaming JSON writer for orvex-info --json: objects, arrays, strings, numbers.
// Names in the engine's files are 8-bit text; bytes that do not form UTF-8 are written as
// the Latin-1 characters of the same value, so the output is always valid JSON.
#pragma once

#include <string>
#include <vector>

namespace info {

class Json {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The member name of the next value inside an object.
    Json& Key(const std::string& key);
    void String(const std::string& value);
    void Number(double value);
    void Integer(long long value);
    void Bool(bool value);
    void Numbers(const float* values, int count);

    const std::string& Text() const { return out; }

private:
    void Separator();
    void Quote(const std::string& s);

    std::string out;
    std::vector<bool> first; // per open container: no element written yet
    bool afterKey = false;
};

} // namespace info
