#include "SimOptions.h"

#include "ControllerModel.h"

#include <getopt.h>

#include "EventRecordFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace wltsim {

namespace {

enum OptionId {
  kDevice = 1000, kLink, kLog, kSlave, kBaud, kParity, kStopBits, kPace, kVerbose,
  kFactoryNumber, kProductionYear, kNetworkAddress, kClock, kClockOffset, kFreezeClock, kSet,
  kErasedEvents, kEventCount, kEventHistory, kEventsFile,
  kNoAnswer, kAnswerFromTry, kBadCrc, kStopAfterRequests, kStopAfterWrites, kDieAfterRequests,
  kException, kWrongSlave, kShortReply, kShortEcho, kBadByteCount, kReplyDelay, kEcho, kHelp,
  kIgnoreWrites, kClamp
};

// Options of reaching the controller, numbered apart from the others.
enum ReachOptionId { kTcp = 2000 };

const option kLongOptions[] = {
    {"device", required_argument, nullptr, kDevice},
    {"link", required_argument, nullptr, kLink},
    {"log", required_argument, nullptr, kLog},
    {"slave", required_argument, nullptr, kSlave},
    {"baud", required_argument, nullptr, kBaud},
    {"parity", required_argument, nullptr, kParity},
    {"stop-bits", required_argument, nullptr, kStopBits},
    {"pace", no_argument, nullptr, kPace},
    {"verbose", no_argument, nullptr, kVerbose},
    {"factory-number", required_argument, nullptr, kFactoryNumber},
    {"production-year", required_argument, nullptr, kProductionYear},
    {"network-address", required_argument, nullptr, kNetworkAddress},
    {"clock", required_argument, nullptr, kClock},
    {"clock-offset", required_argument, nullptr, kClockOffset},
    {"freeze-clock", no_argument, nullptr, kFreezeClock},
    {"set", required_argument, nullptr, kSet},
    {"erased-events", no_argument, nullptr, kErasedEvents},
    {"event-count", required_argument, nullptr, kEventCount},
    {"event-history", required_argument, nullptr, kEventHistory},
    {"events-file", required_argument, nullptr, kEventsFile},
    {"no-answer", no_argument, nullptr, kNoAnswer},
    {"answer-from-try", required_argument, nullptr, kAnswerFromTry},
    {"bad-crc", no_argument, nullptr, kBadCrc},
    {"stop-after-requests", required_argument, nullptr, kStopAfterRequests},
    {"stop-after-writes", required_argument, nullptr, kStopAfterWrites},
    {"die-after-requests", required_argument, nullptr, kDieAfterRequests},
    {"exception", required_argument, nullptr, kException},
    {"wrong-slave", required_argument, nullptr, kWrongSlave},
    {"short-reply", no_argument, nullptr, kShortReply},
    {"short-echo", no_argument, nullptr, kShortEcho},
    {"bad-byte-count", no_argument, nullptr, kBadByteCount},
    {"reply-delay", required_argument, nullptr, kReplyDelay},
    {"echo", no_argument, nullptr, kEcho},
    {"tcp", required_argument, nullptr, kTcp},
    {"help", no_argument, nullptr, kHelp},
    {"ignore-writes", required_argument, nullptr, kIgnoreWrites},
    {"clamp", required_argument, nullptr, kClamp},
    {nullptr, 0, nullptr, 0},
};

// Whole-text integer (decimal, or hexadecimal with 0x) within [low, high].
bool ParseInt(const char* text, long long low, long long high, long long& value) {
  if (!text || !*text) return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0' || v < low || v > high) return false;
  value = v;
  return true;
}

bool ParseExceptionRange(const std::string& text, ExceptionRange& range) {
  std::string span = text, code;
  if (auto colon = text.find(':'); colon != std::string::npos) {
    span = text.substr(0, colon);
    code = text.substr(colon + 1);
  }
  std::string first = span, last = span;
  if (auto dash = span.find('-'); dash != std::string::npos) {
    first = span.substr(0, dash);
    last = span.substr(dash + 1);
  }
  long long f = 0, l = 0, c = 2;
  if (!ParseInt(first.c_str(), 1, 65536, f) || !ParseInt(last.c_str(), 1, 65536, l) || l < f) return false;
  if (!code.empty() && !ParseInt(code.c_str(), 1, 255, c)) return false;
  range = ExceptionRange{static_cast<int>(f), static_cast<int>(l), static_cast<int>(c)};
  return true;
}

bool ParsePreset(const std::string& text, std::pair<int, uint16_t>& preset) {
  auto eq = text.find('=');
  if (eq == std::string::npos) return false;
  long long reg = 0, value = 0;
  if (!ParseInt(text.substr(0, eq).c_str(), 1, 65536, reg)) return false;
  if (!ParseInt(text.substr(eq + 1).c_str(), 0, 65535, value)) return false;
  preset = {static_cast<int>(reg), static_cast<uint16_t>(value)};
  return true;
}

}  // namespace

ParseOutcome ParseOptions(int argc, char** argv, SimOptions& o, std::string& message) {
  optind = 1;
  opterr = 0;
  bool generatedEventOption = false;  // --erased-events, --event-count or --event-history
  for (;;) {
    int longIndex = 0;
    int id = getopt_long(argc, argv, "", kLongOptions, &longIndex);
    if (id == -1) break;
    const char* arg = optarg;
    long long n = 0;
    auto bad = [&](const char* what) {
      message = std::string("invalid value for --") + what + ": " + (arg ? arg : "");
      return ParseOutcome::Error;
    };
    switch (id) {
      case kDevice: o.device = arg; break;
      case kLink: o.linkPath = arg; break;
      case kLog: o.logPath = arg; break;
      case kSlave:
        if (!ParseInt(arg, 1, 247, n)) return bad("slave");
        o.slave = static_cast<int>(n);
        break;
      case kBaud:
        if (!ParseInt(arg, 50, 4000000, n)) return bad("baud");
        o.baud = static_cast<int>(n);
        o.baudGiven = true;
        break;
      case kParity:
        if (std::strlen(arg) != 1 || !std::strchr("NEOneo", arg[0])) return bad("parity");
        o.parity = static_cast<char>(arg[0] & ~0x20);
        break;
      case kStopBits:
        if (!ParseInt(arg, 1, 2, n)) return bad("stop-bits");
        o.stopBits = static_cast<int>(n);
        break;
      case kPace: o.pace = true; break;
      case kVerbose: o.verbose = true; break;
      case kFactoryNumber:
        if (!ParseInt(arg, 0, 65535, n)) return bad("factory-number");
        o.factoryNumber = static_cast<int>(n);
        break;
      case kProductionYear:
        if (!ParseInt(arg, 0, 65535, n)) return bad("production-year");
        o.productionYear = static_cast<int>(n);
        break;
      case kNetworkAddress:
        if (!ParseInt(arg, 1, 247, n)) return bad("network-address");
        o.networkAddress = static_cast<int>(n);
        break;
      case kClock: o.clockStart = arg; break;
      case kClockOffset:
        if (!ParseInt(arg, -3000000000LL, 3000000000LL, n)) return bad("clock-offset");
        o.clockOffsetSeconds = n;
        break;
      case kFreezeClock: o.freezeClock = true; break;
      case kSet: {
        std::pair<int, uint16_t> preset;
        if (!ParsePreset(arg, preset)) return bad("set");
        // A preset that the controller would never serve is a mistake in
        // the test that asked for it, not something to ignore.
        if (!ControllerModel::Readable(preset.first)) {
          message = "invalid value for --set: " + std::string(arg) + ": register " +
                    std::to_string(preset.first) + " is not in the simulated register map";
          return ParseOutcome::Error;
        }
        o.presets.push_back(preset);
        break;
      }
      case kErasedEvents:
        o.erasedEvents = true;
        generatedEventOption = true;
        break;
      case kEventCount:
        if (!ParseInt(arg, 0, 40, n)) return bad("event-count");
        o.eventCount = static_cast<int>(n);
        generatedEventOption = true;
        break;
      case kEventHistory:
        if (!ParseInt(arg, 0, 0xFFFFFFFFLL, n)) return bad("event-history");
        o.eventHistory = static_cast<unsigned>(n);
        generatedEventOption = true;
        break;
      case kEventsFile:
        if (!*arg) return bad("events-file");
        o.eventsFile = arg;
        break;
      case kNoAnswer: o.noAnswer = true; break;
      case kAnswerFromTry:
        if (!ParseInt(arg, 1, 1000000, n)) return bad("answer-from-try");
        o.answerFromTry = static_cast<int>(n);
        break;
      case kBadCrc: o.badCrc = true; break;
      case kStopAfterRequests:
        if (!ParseInt(arg, 0, 1LL << 40, n)) return bad("stop-after-requests");
        o.stopAfterRequests = n;
        break;
      case kStopAfterWrites:
        if (!ParseInt(arg, 0, 1LL << 40, n)) return bad("stop-after-writes");
        o.stopAfterWrites = n;
        break;
      case kDieAfterRequests:
        if (!ParseInt(arg, 0, 1LL << 40, n)) return bad("die-after-requests");
        o.dieAfterRequests = n;
        break;
      case kException: {
        ExceptionRange range;
        if (!ParseExceptionRange(arg, range)) return bad("exception");
        o.exceptions.push_back(range);
        break;
      }
      case kWrongSlave:
        if (!ParseInt(arg, 0, 255, n)) return bad("wrong-slave");
        o.wrongSlave = static_cast<int>(n);
        break;
      case kShortReply: o.shortReply = true; break;
      case kShortEcho: o.shortEcho = true; break;
      case kBadByteCount: o.badByteCount = true; break;
      case kReplyDelay:
        if (!ParseInt(arg, 0, 60000, n)) return bad("reply-delay");
        o.replyDelayMs = static_cast<int>(n);
        break;
      case kEcho: o.echo = true; break;
      case kTcp:
        if (!ParseInt(arg, 0, 65535, n)) return bad("tcp");
        o.tcpPort = static_cast<int>(n);
        break;
      case kHelp: return ParseOutcome::Help;
      case kIgnoreWrites: {
        ExceptionRange range;  // FIRST-LAST without a code
        if (std::strchr(arg, ':') || !ParseExceptionRange(arg, range)) return bad("ignore-writes");
        o.ignoredWrites.emplace_back(range.first, range.last);
        break;
      }
      case kClamp: {
        std::pair<int, uint16_t> clamp;
        if (!ParsePreset(arg, clamp) || !ControllerModel::Writable(clamp.first)) return bad("clamp");
        o.clamps.push_back(clamp);
        break;
      }
      default:
        message = std::string("unknown option or missing value: ") + (optind > 0 && optind <= argc ? argv[optind - 1] : "");
        return ParseOutcome::Error;
    }
  }
  if (optind < argc) {
    message = std::string("unexpected argument: ") + argv[optind];
    return ParseOutcome::Error;
  }
  if (!o.eventsFile.empty()) {
    // A chosen history replaces the generated one; asking for both is a mistake.
    if (generatedEventOption) {
      message = "--events-file cannot be combined with --erased-events, --event-count or --event-history";
      return ParseOutcome::Error;
    }
    EventWords words{};
    std::string error;
    if (!LoadEventRecords(o.eventsFile, words, error)) {
      message = "invalid events file " + error;
      return ParseOutcome::Error;
    }
    o.eventRecords = words;
  }
  return ParseOutcome::Run;
}

std::string UsageText() {
  return
      "Usage: wlt-sim [options]\n"
      "WLT controller simulator: a Modbus RTU slave on a pseudo-terminal (or a given device).\n"
      "Prints the device path the master should open alone on the first line of stdout.\n"
      "Registers are numbered as the controller numbers them (wire address + 1).\n"
      "\n"
      "Line:\n"
      "  --device PATH             serve on this serial device instead of a new pseudo-terminal\n"
      "  --link PATH               make a symlink PATH to the served device (removed at exit)\n"
      "  --log FILE                append one line per frame: '<time> RX|TX <hex bytes>'\n"
      "  --slave N                 own slave address, 1-247 (default 1)\n"
      "  --baud N                  bit rate for --pace, the frame silence and --device (default 19200);\n"
      "                            named, it is the controller's own rate: on a pseudo-terminal a request\n"
      "                            made at another rate (as the master set the line) goes unanswered\n"
      "  --parity N|E|O            parity of --device (default N)\n"
      "  --stop-bits 1|2           stop bits of --device (default 1)\n"
      "  --tcp PORT                serve over TCP on 127.0.0.1:PORT instead (0: a free port), one client\n"
      "                            at a time, as a serial device server; prints tcp:127.0.0.1:PORT\n"
      "  --pace                    send replies at the bit rate, 11 bits a character\n"
      "  --verbose                 explain each decision on stderr\n"
      "\n"
      "Controller contents:\n"
      "  --factory-number N        register 898 (default 1)\n"
      "  --production-year N       register 899 (default 2020)\n"
      "  --network-address N       register 1274, 1-247 (default 1)\n"
      "  --clock YYYY-MM-DDThh:mm:ss  start the controller clock at this time (it then runs)\n"
      "  --clock-offset SECONDS    start the controller clock this far from the PC clock\n"
      "  --freeze-clock            the controller clock stands still (setting it still works)\n"
      "  --set REG=VALUE           preset a served register (repeatable)\n"
      "  --event-count N           generated event records 0-40, the other slots erased (default 40)\n"
      "  --event-history N         which generated event history (default 1)\n"
      "  --erased-events           every event register bit set, as after erasing\n"
      "  --events-file PATH        serve the event records of this file instead of a generated\n"
      "                            history. One record a line: the event number 1-40, then its\n"
      "                            17 words in hexadecimal (date and time in BCD, causes R1-R4,\n"
      "                            states 1-10), e.g.\n"
      "                              7 0324 0815 5905 0002 0001 0 0 8001 0 0 0 0 0200 0 0 0 0\n"
      "                            '#' starts a comment; events not listed read as erased.\n"
      "                            Not with the three options above.\n"
      "\n"
      "Faults:\n"
      "  --no-answer               never answer\n"
      "  --answer-from-try N       answer a request only on its Nth identical arrival in a row\n"
      "  --bad-crc                 corrupt the CRC of every reply\n"
      "  --stop-after-requests N   answer N requests, then fall silent\n"
      "  --stop-after-writes N     answer N write requests, then fall silent for everything\n"
      "  --die-after-requests N    answer N requests, then end at once on the next one, as if\n"
      "                            killed: the pseudo-terminal goes away with it, the link stays\n"
      "  --exception FIRST-LAST[:CODE]  exception reply (default code 2) to any request\n"
      "                            touching those registers (repeatable)\n"
      "  --wrong-slave N           reply from slave address N instead of the own one\n"
      "  --short-reply             function-3 replies carry one register fewer than asked\n"
      "  --short-echo              function-6 echoes lack their last value byte (correct CRC)\n"
      "  --bad-byte-count          function-3 replies carry a wrong byte-count field\n"
      "  --reply-delay MS          send every reply MS milliseconds after its request ended\n"
      "                            (0-60000; a controller slower than the master's time-out),\n"
      "                            still taking the next requests meanwhile\n"
      "  --echo                    the line returns every byte sent to it at once, as a line\n"
      "                            with TX joined to RX does; no controller answers\n"
      "  --ignore-writes FIRST-LAST  echo writes to those registers but keep their old values\n"
      "                            (a controller refusing a value silently; repeatable)\n"
      "  --clamp REG=MAX           store at most MAX in the writable register REG (repeatable)\n"
      "  --help                    show this text\n";
}

}  // namespace wltsim
