#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "burnersim/BurnerFirmware.h"

namespace tovrin::testing {

// What the wrapped hid_* calls see: a set of attached devices, each a
// burner model, and switches for the failures hidapi can report.
struct FakeHidapi {
    struct Device {
        std::string path;
        std::wstring serial;
        unsigned short vendorId = 0x0C00;
        unsigned short productId = 0x0311;
        std::shared_ptr<burnersim::BurnerFirmware> firmware = std::make_shared<burnersim::BurnerFirmware>();
        std::deque<std::vector<unsigned char>> replies;
        bool attached = true;
    };

    std::vector<std::shared_ptr<Device>> devices;
    bool openFails = false;          // hid_open_path returns nullptr
    std::optional<int> writeResult;  // what hid_write returns instead of the frame's size
    bool readFails = false;          // hid_read_timeout returns -1
    std::wstring errorText = L"fake failure";
    // Calls seen.
    std::vector<std::vector<unsigned char>> frames;  // every hid_write, report id included
    int opens = 0;
    int closes = 0;
    std::vector<int> readTimeouts;

    std::shared_ptr<Device> Attach(std::string path, std::wstring serial = L"");
    void Detach(const std::string& path);

    // The one instance the wrapped calls use; Reset() before each test.
    static FakeHidapi& Instance();
    static void Reset();
};

}  // namespace tovrin::testing
