/*
 * tspl_label - prints a small shipping label through libheron's TSPL
 * commands.
 *
 *   tspl_label PORT [MODEL]      e.g. tspl_label NET,127.0.0.1:9100 TQM
 */
#include <stdio.h>

#include "heron.h"

static int report(const char *what, int32_t rc) {
  char text[256];
  PrtFormatErrorA(rc, 9, text, 0, sizeof text);
  fprintf(stderr, "%s failed (%d): %s\n", what, (int)rc, text);
  return 1;
}

/* Each call sends its command at once; the first failure ends the label. */
static int32_t print_label(PrtHandle printer) {
  int32_t rc;
  if ((rc = TSPL_Setup(printer, 50, 30, 4, 6, 2, 0)) != PRT_SUCCESS) return rc;
  if ((rc = TSPL_Direction(printer, 0)) != PRT_SUCCESS) return rc;
  if ((rc = TSPL_ClearBuffer(printer)) != PRT_SUCCESS) return rc;
  if ((rc = TSPL_Box(printer, 8, 8, 392, 232, 3)) != PRT_SUCCESS) return rc;
  if ((rc = TSPL_Text(printer, 24, 24, 3, 0, 1, 1, "Hello from Heron")) != PRT_SUCCESS) return rc;
  if ((rc = TSPL_BarCode(printer, 24, 70, TSPL_BARCODE_128, 60, 1, 0, 2, 4, "RAVO-0001")) !=
      PRT_SUCCESS)
    return rc;
  /* QR content goes out as given: the quotation marks are ours to add. */
  if ((rc = TSPL_QrCode(printer, 280, 70, 1, 4, 0, 0, 1, 7, "\"https://example.com\"")) !=
      PRT_SUCCESS)
    return rc;
  return TSPL_Print(printer, 1, 1);
}

int main(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s PORT [MODEL]\n", argv[0]);
    return 2;
  }
  const char *model = argc > 2 ? argv[2] : "TQM";
  PrtHandle printer = NULL;
  int32_t rc = PrtPrinterCreatorA(&printer, model);
  if (rc != PRT_SUCCESS) return report("create", rc);
  rc = PrtPortOpenA(printer, argv[1]);
  if (rc == PRT_SUCCESS) {
    rc = print_label(printer);
    PrtPortClose(printer);
    if (rc != PRT_SUCCESS) report("print", rc);
  } else {
    report("open", rc);
  }
  PrtPrinterDestroy(printer);
  if (rc == PRT_SUCCESS)
    printf("label sent to %s (libheron %d)\n", argv[1], (int)TSPL_GetDllVersion());
  return rc == PRT_SUCCESS ? 0 : 1;
}
