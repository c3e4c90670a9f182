#pragma once
// What a Modbus exception code means: its Polish name for the user and its
// standard (English) name, as the protocol's documents and other masters
// call it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace ModbusExceptions {

// "niedozwolony adres danych" for 2; a text for "unknown code" where the
// standard names none.
const char* PolishName(std::uint8_t code);
// "Illegal Data Address" for 2; "Unknown Exception" where the standard
// names none.
const char* StandardName(std::uint8_t code);

// The exception code of a transaction's reply when it was an exception to
// the request (the addressed slave, the request's function plus 128, five
// bytes with a correct CRC); 0 for any other outcome. answered: the link's
// Answered() after the transaction.
std::uint8_t CodeOfReply(bool answered, const std::uint8_t* request, const std::uint8_t* reply,
                         std::size_t length);

}  // namespace ModbusExceptions
