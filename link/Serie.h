#pragma once
// The RS-232 port wired to a camera system's WCU: opened by number with a
// fixed line set-up, written a request at a time, and read only for what
// has already arrived, never waiting on the line.
//
// The reading and writing halves share the port's handle and open flag:
// a failure seen by either clears the flag for good. Only a new ComPort
// opens the line again.

#include "platform/winapi/WinTypes.h"

class inputstream {
public:
    static constexpr int Buffer_Size = 200;

    // Reads what is queued, at most Buffer_Size bytes, into the receive
    // buffer and puts a 0 byte after it; the number read.
    int fill();
    // fill, then copies the bytes and the 0 byte to destination, which
    // holds at least Buffer_Size + 1 bytes; the number read.
    int read(BYTE* destination);

protected:
    inputstream(HANDLE* handle, BYTE* open);

private:
    HANDLE* Handle;
    BYTE* Open;
    BYTE Buffer[Buffer_Size + 1] = {};
};

class outputstream {
public:
    // Writes one byte; the result shows in good().
    outputstream& operator<<(BYTE byte);
    // True when every byte was written.
    bool write(const BYTE* bytes, int count);
    // The result of the last single-byte write (1 before any).
    int good() const { return Good; }

protected:
    outputstream(HANDLE* handle, BYTE* open, char handshake);
    // Waits for CTS over up to max_reads status reads, 10 ms apart; false
    // when a status read failed. seen tells whether CTS came.
    bool Wait_For_Cts(int max_reads, bool& seen) const;

private:
    HANDLE* Handle;
    BYTE* Open;
    char Handshake;
    int Good = 1;
};

class ComPort : public inputstream, public outputstream {
public:
    // Opens "\\.\COM<port>" at once; port 0 opens nothing. Parity and stop
    // bits take the DCB codes (0 = none, 0 = one); handshake 'N' none,
    // 'R' RTS/CTS, 'X' XON/XOFF, any other leaves the port closed.
    ComPort(int port, DWORD baud_rate, BYTE parity, BYTE byte_size, BYTE stop_bits, char handshake);
    ~ComPort();
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;

    bool Is_Open() const { return Opened != 0; }
    // Drops everything queued either way.
    bool Purge();
    // Blocks until a byte is queued, the line fails, or the time passes
    // (whole milliseconds, rounded up); reads nothing.
    void Wait_For_Input(double milliseconds) const;

private:
    void Open_Port();

    int Port_Number;
    HANDLE Handle;
    BYTE Opened;
    DWORD Baud_Rate;
    BYTE Parity;
    BYTE Byte_Size;
    BYTE Stop_Bits;
    char Handshake;
};
