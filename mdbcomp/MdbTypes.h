#pragma once
// Line-setting enumerations of the TMdb component. Their ordinals are the
// values the window data stores and the values the serial driver is given.

#include <cstdint>

enum TBaudRate : std::uint8_t {
  br110, br300, br600, br1200, br2400, br4800, br9600, br14400,
  br19200, br38400, br56000, br57600, br115200
};

enum TPortType : std::uint8_t { COM1, COM2, COM3, COM4, COM5, COM6, COM7, COM8, COM9 };

enum TParity : std::uint8_t { prNone, prOdd, prEven, prMark, prSpace };

enum TStopBits : std::uint8_t { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };

// The bit rate a TBaudRate stands for (110 ... 115200).
std::uint32_t BaudRateValue(TBaudRate rate);
