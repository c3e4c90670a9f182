#pragma once
// The transmission page's line settings as plain data: the texts its combo
// boxes offer, the property of the link each text stands for, and the line
// settings the window starts with. No TForm1: the page's change handlers,
// the start-up and the programs' command lines share these tables.

#include "mdbcomp/MdbTypes.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>

// The line settings the window starts with. The defaults are what the page
// shows when the window opens: COM1, 19200 bit/s, no parity, one stop bit,
// slave address 1.
struct StartUpLine {
  TPortType Port = COM1;
  TBaudRate BaudRate = br19200;
  TParity Parity = prNone;
  TStopBits StopBits = sbOneStopBit;
  int SlaveAddress = 1;
};

namespace TransmissionPage {

template <typename T>
struct Row {
  const char* text;
  T value;
};

// ComboBox1 to ComboBox4, items in the order the page lists them.
inline constexpr std::array<Row<TPortType>, 4> kPorts{
    {{"COM1", COM1}, {"COM2", COM2}, {"COM3", COM3}, {"COM4", COM4}}};
inline constexpr std::array<Row<TBaudRate>, 4> kBaudRates{
    {{"2400", br2400}, {"4800", br4800}, {"9600", br9600}, {"19200", br19200}}};
inline constexpr std::array<Row<TParity>, 3> kParities{
    {{"Parzysta", prEven}, {"Nieparzysta", prOdd}, {"Brak", prNone}}};
inline constexpr std::array<Row<TStopBits>, 2> kStopBits{{{"1", sbOneStopBit}, {"2", sbTwoStopBits}}};

// SpinEdit1, the slave address.
inline constexpr int kMinSlaveAddress = 1;
inline constexpr int kMaxSlaveAddress = 247;

// The items of a combo box.
template <typename T, std::size_t N>
QStringList Items(const std::array<Row<T>, N>& rows) {
  QStringList items;
  for (const Row<T>& row : rows) items << QString::fromLatin1(row.text);
  return items;
}

// What a text stands for: the whole text, case-sensitive. None for a text
// the box does not offer (typed by the user).
template <typename T, std::size_t N>
std::optional<T> ValueOf(const QString& text, const std::array<Row<T>, N>& rows) {
  for (const Row<T>& row : rows)
    if (text == QLatin1String(row.text)) return row.value;
  return std::nullopt;
}

// The item that stands for a value; -1 when the box does not offer it.
template <typename T, std::size_t N>
int ItemIndexOf(T value, const std::array<Row<T>, N>& rows) {
  for (std::size_t i = 0; i < N; ++i)
    if (rows[i].value == value) return int(i);
  return -1;
}

}  // namespace TransmissionPage
