#pragma once
// The serial-port calls the system makes, over termios.
//
// "\\.\COMn" names the device that the link ports/COMn in the settings folder
// points to; without that link COM1 to COM16 name fixed devices:
//   COM1-COM4   /dev/ttyS0-3      (built-in ports)
//   COM5-COM8   /dev/ttyUSB0-3    (USB adapters)
//   COM9-COM12  /dev/ttyACM0-3    (USB modem-class adapters)
//   COM13-COM16 /dev/ttyS4-7      (further built-in or card ports)
// and higher numbers none. A device the user may not open (not in the
// dialout group) fails as one held elsewhere.
//
// The name is resolved at every open, so a link made later is used at the
// next open. A port opened through its link stays that link: when the link
// vanishes (an adapter unplugged, its link removed) every call fails as after
// a hang-up, and while it is gone the COM number opens nothing rather than
// the fixed device, which would be another, unrelated port.
//
// A line attached in the process (In_Process_Line.h) takes the place of the
// device for its COM number.
//
// The device is opened raw and exclusive: TIOCEXCL keeps other programs out, and a lock on the open device keeps out
// a second open from this or another instance (TIOCEXCL does not stop
// root). Only the wait-free use the system makes is offered: no overlapped
// I/O and no time-outs; ReadFile takes what is queued without waiting.
// A device that hung up fails every call with ERROR_DEVICE_NOT_CONNECTED.

#include "platform/winapi/Kernel.h"
#include "platform/winapi/WinTypes.h"

#include <filesystem>

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE TWOSTOPBITS = 2;

constexpr DWORD DTR_CONTROL_DISABLE = 0;
constexpr DWORD DTR_CONTROL_ENABLE = 1;
constexpr DWORD DTR_CONTROL_HANDSHAKE = 2;
constexpr DWORD RTS_CONTROL_DISABLE = 0;
constexpr DWORD RTS_CONTROL_ENABLE = 1;
constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;

constexpr DWORD PURGE_TXABORT = 0x0001;
constexpr DWORD PURGE_RXABORT = 0x0002;
constexpr DWORD PURGE_TXCLEAR = 0x0004;
constexpr DWORD PURGE_RXCLEAR = 0x0008;

constexpr DWORD MS_CTS_ON = 0x0010;
constexpr DWORD MS_DSR_ON = 0x0020;
constexpr DWORD MS_RING_ON = 0x0040;
constexpr DWORD MS_RLSD_ON = 0x0080;

// The device control block, 28 bytes as the system sets its length.
struct DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
static_assert(sizeof(DCB) == 28);
using LPDCB = DCB*;

struct COMSTAT {
    DWORD fFlags;
    DWORD cbInQue;
    DWORD cbOutQue;
};
using LPCOMSTAT = COMSTAT*;

struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

// The device that "\\.\COMn" reaches, for showing: the target of the link
// ports/COMn when there is one (whether or not it exists), else the fixed
// device above; empty for a number without either.
std::filesystem::path Com_Port_Device(int com_number);

// COM names only; the device must be a terminal. A serial handle can be
// waited on: it is signalled while input is queued or the line is gone. A device held elsewhere
// fails with ERROR_ACCESS_DENIED, a missing one with ERROR_FILE_NOT_FOUND.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share_mode, LPSECURITY_ATTRIBUTES attributes,
                   DWORD creation, DWORD flags, HANDLE template_file);

// Reads the line set-up. DTR and RTS control read back as last set (both
// enabled after the open, which raises them).
BOOL GetCommState(HANDLE device, LPDCB dcb);
// Sets the line raw with the DCB's rate, size, parity, stop bits and flow
// control, and raises or drops DTR and RTS where the device has them.
BOOL SetCommState(HANDLE device, LPDCB dcb);
// No line errors are reported (errors := 0); the queue counts fill status.
BOOL ClearCommError(HANDLE device, LPDWORD errors, LPCOMSTAT status);
BOOL ReadFile(HANDLE device, LPVOID buffer, DWORD to_read, LPDWORD read, LPOVERLAPPED overlapped);
// Waits until every byte is handed to the device.
BOOL WriteFile(HANDLE device, LPCVOID buffer, DWORD to_write, LPDWORD written, LPOVERLAPPED overlapped);
BOOL PurgeComm(HANDLE device, DWORD flags);
// A device without modem lines reports none on.
BOOL GetCommModemStatus(HANDLE device, LPDWORD status);
