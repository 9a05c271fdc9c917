#pragma once
// A pseudo-terminal standing in for the far end of a serial cable. The
// program opens its device end through ports/COMn; this object keeps the
// other end, reading what the program sends and writing what it should read.

#include "platform/winapi/WinTypes.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

class Pseudo_Terminal {
public:
    // Throws std::system_error when no pseudo-terminal can be had.
    Pseudo_Terminal();
    ~Pseudo_Terminal();
    Pseudo_Terminal(const Pseudo_Terminal&) = delete;
    Pseudo_Terminal& operator=(const Pseudo_Terminal&) = delete;

    // The device end, e.g. /dev/pts/7.
    const std::string& Device_Path() const { return device_path; }
    // The far end's descriptor for poll(); -1 after a hang-up.
    int Descriptor() const { return master; }

    // Puts the device behind ports/COMn of the settings folder as it is
    // now; false when that link already exists or cannot be made.
    bool Publish(int com_number);
    // Whether ports/COMn exists at all (taken, or free for Publish).
    static bool Is_Port_Taken(int com_number);

    // Bytes the program sent and this end has not read yet.
    std::size_t Queued() const;
    // Bytes written to the program and waiting in its device's input queue.
    std::size_t Delivered() const;
    // Returns once every byte written so far has reached the device's input
    // queue: the kernel hands them over from a worker thread, a moment after
    // the write.
    void Wait_Delivered() const;
    // Takes what the program sent, without waiting.
    std::vector<BYTE> Read_Queued();
    // Hands bytes to the program; false when the line is gone. Bytes that do
    // not fit in the device's input queue are lost, as on a real line.
    bool Write(const BYTE* bytes, std::size_t count);
    bool Write(const std::vector<BYTE>& bytes) { return Write(bytes.data(), bytes.size()); }

    // Closes this end: the program's device reports the hang-up.
    void Hang_Up();

private:
    int master = -1;
    // Held open so that the far end stays usable while the program has
    // the device closed.
    int device_end = -1;
    std::string device_path;
    std::filesystem::path published;
};
