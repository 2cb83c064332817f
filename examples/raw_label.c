/*
 * raw_label - prints one small TSPL label through libheron's raw data
 * functions.
 *
 *   raw_label PORT [MODEL]      e.g. raw_label NET,127.0.0.1:9100 TQM
 */
#include <stdio.h>
#include <string.h>

#include "heron.h"

static int fail(const char *what, int32_t rc) {
  char text[256];
  PrtFormatErrorA(rc, 9, text, 0, sizeof text);
  fprintf(stderr, "%s failed (%d): %s\n", what, (int)rc, text);
  return 1;
}

int main(int argc, char **argv) {
  const char *port = argc > 1 ? argv[1] : "NET,127.0.0.1:9100";
  const char *model = argc > 2 ? argv[2] : "TQM";
  static const char label[] =
      "SIZE 50 mm,30 mm\r\nGAP 2 mm,0 mm\r\nCLS\r\n"
      "TEXT 20,20,\"3\",0,1,1,\"Hello from Heron\"\r\n"
      "BOX 10,10,390,220,3\r\nPRINT 1\r\n";
  PrtHandle printer = NULL;
  int32_t rc = PrtPrinterCreatorA(&printer, model);
  if (rc != PRT_SUCCESS) return fail("create", rc);
  rc = PrtPortOpenA(printer, port);
  if (rc != PRT_SUCCESS) {
    PrtPrinterDestroy(printer);
    return fail("open", rc);
  }
  rc = PrtWriteData(printer, (const uint8_t *)label, (int32_t)strlen(label));
  PrtPortClose(printer);
  PrtPrinterDestroy(printer);
  if (rc != PRT_SUCCESS) return fail("write", rc);
  printf("sent %zu bytes to %s\n", strlen(label), port);
  return 0;
}
