#include "help.h"

namespace ravo::cli {
namespace {

constexpr char kPrinterOptions[] =
    "Printer options:\n"
    "  --port STRING   port string as the printer list holds it:\n"
    "                  USB | USB,VID_xxxx&PID_yyyy[&SN_s] | USB,SN_s |\n"
    "                  COMn[,BAUDRATE_b] | ttyUSB0[,BAUDRATE_b] | /dev/path,BAUDRATE_b |\n"
    "                  LPTn | /path | NET,host[:port]\n"
    "                  options may follow: ,TIMEOUT_ms ,WTIMEOUT_ms ,CTIMEOUT_ms\n"
    "  --model NAME    library model name (TQX58, TQM ...)\n"
    "  --type NAME     printer type, mapped to its model by PrinterMap.ini\n"
    "                  (without --model and --type: KP330)\n"
    "  --files DIR     directory of the data files (PrinterMap.ini ...)\n";

constexpr char kListOptions[] =
    "Options:\n"
    "  --files DIR     the data files and the printer list in DIR (portable use)\n";

constexpr char kExitCodes[] =
    "Exit status:\n"
    "  0  success\n"
    "  1  internal error of ravo\n"
    "  2  usage: bad command line, unknown model or printer type\n"
    "  3  port: bad port string, open, enumeration or write failed\n"
    "  4  answer: the printer did not answer, or answered short\n"
    "  5  validation: wrong checksum or marker, value or name refused\n"
    "  6  file: a local file could not be read or written\n"
    "Failures are described on stderr with the library's message and code.\n";

struct CommandText {
  const char *name;
  const char *text;
};

constexpr CommandText kCommands[] = {
    {"ports",
     "Usage: ravo ports [--json]\n"
     "Lists the serial, parallel and USB printer ports present now, as port\n"
     "strings for --port.  Network printers are not discovered.\n"},
    {"test",
     "Usage: ravo test --port STRING [--model NAME | --type NAME] [--json]\n"
     "Opens the port and closes it again; nothing is sent.\n"},
    {"info",
     "Usage: ravo info --port STRING [--model NAME | --type NAME] [--json]\n"
     "Reads the serial number, the production date coded in it, the printed\n"
     "length (metres) and the firmware version.  Fields the printer does not\n"
     "answer are shown as missing and give exit status 4; a model without a\n"
     "serial number query (receipt printers) says so and does not fail.\n"},
    {"params",
     "Usage: ravo params get [--out FILE]\n"
     "       ravo params set FIELD=VALUE ... | --in FILE\n"
     "       ravo params diff A B\n"
     "       ravo params restore FILE\n"
     "  (get, set and restore also take --port and --model/--type)\n"
     "get      reads the 256-byte parameter block and prints FIELD=VALUE lines by\n"
     "         the model's byte map; --out FILE saves the raw block.\n"
     "set      changes the named fields (FIELD=VALUE words, or lines of --in FILE;\n"
     "         # starts a comment) and writes the block back, then reads it again\n"
     "         to verify.  Bytes outside the map are named byte.N (1 ... 253).\n"
     "restore  writes a block saved by get --out or a backup.\n"
     "diff     lists the fields that differ between two blocks; A and B are\n"
     "         block files or the word \"printer\" (needs --port).\n"
     "Before set and restore write, the block as read is saved to\n"
     "  --backup-dir DIR, else $XDG_DATA_HOME/ravo/backups, else\n"
     "  ~/.local/share/ravo/backups, as <type>-<serial>-<UTC time>.bin.\n"
     "Nothing is written when the read fails, its checksum is wrong, a value\n"
     "is refused or the backup cannot be saved.\n"},
    {"print-image",
     "Usage: ravo print-image FILE [--x N] [--y N] [--mode 0|1|2]\n"
     "                        [--width MM --height MM] --port STRING ...\n"
     "Prints a PNG, JPEG, GIF or BMP image at dot position x,y (default 0,0)\n"
     "on one label.  --mode: 0 overwrite, 1 OR, 2 XOR.  With --width/--height\n"
     "the label size is set first.\n"},
    {"print-text",
     "Usage: ravo print-text TEXT [--width MM] [--height MM] --port STRING ...\n"
     "Prints the text, one TEXT line per line of TEXT (font 5, 48 dots apart;\n"
     "double quotes escaped, control characters refused), on a label of the\n"
     "given size (width 10 up to the model's paper width, its default;\n"
     "height 10 ... 210, default 30).\n"},
    {"selftest",
     "Usage: ravo selftest [--esc] --port STRING ...\n"
     "Prints the printer's configuration page (TSPL SELFTEST; with --esc the\n"
     "ESC-mode command 1D 28 41 02 00 00 02).\n"},
    {"learn",
     "Usage: ravo learn --port STRING ...\n"
     "Starts the printer's label auto-learn (refused for models that have none).\n"},
    {"factory-reset",
     "Usage: ravo factory-reset --yes --port STRING ...\n"
     "Restores the printer's factory settings.  Needs --yes.\n"},
    {"send",
     "Usage: ravo send (--hex \"1B 40\" | --text TEXT | --file F) [--read N] --port STRING ...\n"
     "Sends raw bytes.  --hex: whole bytes in pieces separated by blanks,\n"
     "commas or line breaks, each an even number of hex digits, 0x allowed\n"
     "(\"1B 40\", \"0x1b,0x40\", \"1B40\").  --text: in the system code page, with the\n"
     "escapes \\r \\n \\t \\\\ \\xHH.  --read N waits for up to N answer bytes and\n"
     "shows them in hexadecimal (no answer: exit status 4).\n"},
    {"files",
     "Usage: ravo files list [--dram]\n"
     "       ravo files download FILE... [--dram]\n"
     "       ravo files run NAME\n"
     "       ravo files delete (NAME | --all) [--dram]\n"
     "       ravo files delete --everything\n"
     "  (each also takes --port and --model/--type)\n"
     "The printer's stored files, in flash (default) or DRAM (--dram).\n"
     "list      names and free/total room.\n"
     "download  sends each file behind DOWNLOAD; the file carries the rest of the\n"
     "          command (\"NAME\",SIZE,DATA or a program ending in EOP).  Success\n"
     "          needs every byte taken and the file then listed by the printer.\n"
     "run       runs a stored program (prints a stored template).\n"
     "delete    one file, all files of the storage, or all files of both.\n"},
    {"printers",
     "Usage: ravo printers [list]\n"
     "       ravo printers add TYPE PORT\n"
     "       ravo printers remove N\n"
     "The desktop utility's printer list: $XDG_DATA_HOME/ravo-utility/PrinterList.txt\n"
     "(~/.local/share/ravo-utility/ when unset), or the one in --files DIR.\n"
     "list    the entries, numbered from 1; an empty list gets the first printer\n"
     "        type on USB, as when the utility starts.\n"
     "add     appends TYPE (a name of CompanyPrinterList_Label.txt) on the port\n"
     "        string PORT; the port type is taken from the string.\n"
     "remove  deletes entry N.\n"},
};

}  // namespace

std::string GeneralHelp() {
  return std::string(
             "Usage: ravo COMMAND [options]\n"
             "Service tool for thermal label printers.\n\n"
             "Commands:\n"
             "  ports           list serial, parallel and USB printer ports\n"
             "  test            open and close the port\n"
             "  info            serial number, production date, printed length, firmware\n"
             "  params          get, set, diff or restore the parameter block\n"
             "  print-image     print an image file\n"
             "  print-text      print a line or lines of text\n"
             "  selftest        print the configuration page\n"
             "  learn           start label auto-learn\n"
             "  factory-reset   restore factory settings (needs --yes)\n"
             "  send            send raw bytes, show the answer in hexadecimal\n"
             "  files           list, download, run or delete stored files\n"
             "  printers        list, add or remove the desktop utility's printers\n\n") +
         kPrinterOptions +
         "\nCommon options:\n"
         "  --json          machine-readable result on stdout\n"
         "  --no-progress   no progress bar (it is drawn on stderr only for a terminal)\n"
         "  --help          this text; `ravo COMMAND --help` for one command\n\n" +
         kExitCodes;
}

std::string CommandHelp(const std::string &command) {
  for (const CommandText &entry : kCommands) {
    if (command == entry.name) {
      // Commands that address no printer take none of the printer options.
      const char *options = command == "ports"      ? ""
                            : command == "printers" ? kListOptions
                                                    : kPrinterOptions;
      return std::string(entry.text) + "\n" + options +
             "  --json          machine-readable result on stdout\n\n" + kExitCodes;
    }
  }
  return {};
}

}  // namespace ravo::cli
