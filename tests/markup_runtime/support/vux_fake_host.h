#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>
#include "markup/runtime/vux_engine.h"

// A host that records every call the engine makes through its three tables,
// one line per call ("facility.start_timer 7"), and answers from a script:
// a queued answer for an entry first, else its fixed answer, else a default.
// Connection ids count from 1; the request bytes of each are kept.
class vux_fake_host {
public:
    vux_fake_host();

    vux_graphics_table graphics{};
    vux_network_table network{};
    vux_facility_table facility{};

    // Sets the three tables on the engine.
    void attach(vux_engine* e) const;

    void answer(const std::string& entry, const std::string& value) { fixed_[entry] = value; }
    void queue(const std::string& entry, const std::string& value) { queued_[entry].push_back(value); }

    std::vector<std::string> log;
    // Lines of the log naming that entry ("network.open_connection").
    std::vector<std::string> calls(const std::string& entry) const;
    int count(const std::string& entry) const { return int(calls(entry).size()); }
    void clear_log() { log.clear(); }

    // Request bytes by connection id; ids that are open.
    std::map<int, std::string> requests;
    std::vector<int> open_ids;
    int next_id = 1;

    // What the host keeps.
    std::string saved_store;
    std::map<std::string, std::string> files;

    // Used by the table functions.
    std::string reply(const std::string& entry, const std::string& fallback);
    int reply_int(const std::string& entry, int fallback);
    const char* reply_text(const std::string& entry, const std::string& fallback);
    void note(const std::string& line) { log.push_back(line); }

private:
    std::map<std::string, std::string> fixed_;
    std::map<std::string, std::deque<std::string>> queued_;
    std::map<std::string, std::string> texts_;  // the last text given per entry
};

std::string vux_utf16_to_utf8(const uint16_t* text, int count);
