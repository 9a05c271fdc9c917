#include "link/Serie.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Serial.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr int Open_Cts_Reads = 500;
// A write gives up one read earlier than the open.
constexpr int Write_Cts_Reads = 499;

bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }

// Flow control of the line by handshake; false for an unknown handshake.
bool Set_Handshake(DCB& dcb, char handshake)
{
    if (handshake != 'N' && handshake != 'R' && handshake != 'X') {
        return false;
    }
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = handshake == 'R' ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fOutxCtsFlow = handshake == 'R';
    dcb.fOutX = handshake == 'X';
    dcb.fInX = handshake == 'X';
    return true;
}

} // namespace

inputstream::inputstream(HANDLE* handle, BYTE* open) : Handle(handle), Open(open) {}

int inputstream::fill()
{
    COMSTAT status {};
    DWORD errors = 0;
    if (!Valid(*Handle) || !ClearCommError(*Handle, &errors, &status)) {
        *Open = 0;
        return 0;
    }
    if (status.cbInQue == 0) {
        return 0;
    }
    DWORD count = 0;
    if (!ReadFile(*Handle, Buffer, std::min<DWORD>(status.cbInQue, Buffer_Size), &count, nullptr)) {
        *Open = 0;
        return 0;
    }
    Buffer[count] = 0;
    return static_cast<int>(count);
}

int inputstream::read(BYTE* destination)
{
    int count = fill();
    if (count > 0) {
        std::memcpy(destination, Buffer, static_cast<std::size_t>(count) + 1);
    } else {
        destination[0] = 0;
    }
    return count;
}

outputstream::outputstream(HANDLE* handle, BYTE* open, char handshake)
    : Handle(handle), Open(open), Handshake(handshake)
{
}

outputstream& outputstream::operator<<(BYTE byte)
{
    Good = write(&byte, 1) ? 1 : 0;
    return *this;
}

bool outputstream::write(const BYTE* bytes, int count)
{
    if (!Valid(*Handle)) {
        *Open = 0;
        return false;
    }
    bool cts = true;
    if (Handshake == 'R' && (!Wait_For_Cts(Write_Cts_Reads, cts) || !cts)) {
        *Open = 0;
        return false;
    }
    DWORD written = 0;
    if (count < 0 || !WriteFile(*Handle, bytes, static_cast<DWORD>(count), &written, nullptr) ||
        written != static_cast<DWORD>(count)) {
        *Open = 0;
        return false;
    }
    return true;
}

bool outputstream::Wait_For_Cts(int max_reads, bool& seen) const
{
    seen = false;
    for (int read_number = 1; read_number <= max_reads && !seen; ++read_number) {
        if (read_number > 1) {
            Sleep(10);
        }
        DWORD status = 0;
        if (!GetCommModemStatus(*Handle, &status)) {
            return false;
        }
        seen = (status & MS_CTS_ON) != 0;
    }
    return true;
}

ComPort::ComPort(int port, DWORD baud_rate, BYTE parity, BYTE byte_size, BYTE stop_bits, char handshake)
    : inputstream(&Handle, &Opened),
      outputstream(&Handle, &Opened, handshake),
      Port_Number(port),
      Handle(INVALID_HANDLE_VALUE),
      Opened(0),
      Baud_Rate(baud_rate),
      Parity(parity),
      Byte_Size(byte_size),
      Stop_Bits(stop_bits),
      Handshake(handshake)
{
    if (Port_Number != 0) {
        Open_Port();
    }
}

ComPort::~ComPort()
{
    if (Valid(Handle)) {
        CloseHandle(Handle);
    }
}

// Any failed step leaves the port closed; a handle already taken is kept
// until destruction.
void ComPort::Open_Port()
{
    LARGE_INTEGER frequency {};
    if (!QueryPerformanceFrequency(&frequency)) {
        return;
    }
    std::string name = "\\\\.\\COM" + std::to_string(Port_Number);
    Handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!Valid(Handle)) {
        return;
    }
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(Handle, &dcb)) {
        return;
    }
    dcb.BaudRate = Baud_Rate;
    dcb.ByteSize = Byte_Size;
    dcb.Parity = Parity;
    dcb.StopBits = Stop_Bits;
    if (!Set_Handshake(dcb, Handshake) || !SetCommState(Handle, &dcb)) {
        return;
    }
    bool cts = false;
    if (Handshake == 'R' && !Wait_For_Cts(Open_Cts_Reads, cts)) {
        return;
    }
    DWORD errors = 0;
    ClearCommError(Handle, &errors, nullptr);
    Opened = 1;
}

void ComPort::Wait_For_Input(double milliseconds) const
{
    if (Valid(Handle) && milliseconds > 0) {
        WaitForSingleObject(Handle, static_cast<DWORD>(std::ceil(milliseconds)));
    }
}

bool ComPort::Purge()
{
    if (!Valid(Handle)) {
        Opened = 0;
        return false;
    }
    if (!PurgeComm(Handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR)) {
        Opened = 0;
        return false;
    }
    return true;
}
