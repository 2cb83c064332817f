/*
 * cpcl_label - prints a small label through libpelican's CPCL commands.
 *
 *   cpcl_label PORT [MODEL]      e.g. cpcl_label NET,127.0.0.1:9100 MC300
 */
#include <stdio.h>

#include "pelican.h"

static int report(const char *what, int32_t rc) {
  char text[256];
  PrtFormatErrorA(rc, 9, text, 0, sizeof text);
  fprintf(stderr, "%s failed (%d): %s\n", what, (int)rc, text);
  return 1;
}

/* A 16 x 16 dot checkerboard: 2 bytes per row, a set bit is a dark dot. */
static void checkerboard(uint8_t raster[32]) {
  for (int row = 0; row < 16; ++row) {
    uint8_t pattern = (row / 4) % 2 ? 0x0F : 0xF0;
    raster[row * 2] = pattern;
    raster[row * 2 + 1] = pattern;
  }
}

/* Each call sends its command at once; the first failure ends the label. */
static int32_t print_label(PrtHandle printer) {
  uint8_t raster[32];
  int32_t rc;
  checkerboard(raster);
  if ((rc = CPCL_AddLabel(printer, 0, 400, 1)) != PRT_SUCCESS) return rc;
  if ((rc = CPCL_AddAlign(printer, CPCL_ALIGN_LEFT)) != PRT_SUCCESS) return rc;
  if ((rc = CPCL_AddBox(printer, 8, 8, 560, 390, 2)) != PRT_SUCCESS) return rc;
  if ((rc = CPCL_AddText(printer, CPCL_ROTATE_0, 4, 0, 30, 30, "Hello from Pelican")) !=
      PRT_SUCCESS)
    return rc;
  if ((rc = CPCL_AddBarCodeText(printer, 1, 7, 0, 5)) != PRT_SUCCESS) return rc;
  if ((rc = CPCL_AddBarCodeA(printer, 0, CPCL_BARCODE_128, 1, 1, 50, 30, 100, "RAVO-0001")) !=
      PRT_SUCCESS)
    return rc;
  if ((rc = CPCL_AddQRCodeA(printer, 0, 380, 100, 2, 5, 1, "https://example.com")) != PRT_SUCCESS)
    return rc;
  if ((rc = CPCL_AddImageData(printer, 0, 2, 16, 30, 250, raster)) != PRT_SUCCESS) return rc;
  return CPCL_Print(printer);
}

int main(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s PORT [MODEL]\n", argv[0]);
    return 2;
  }
  const char *model = argc > 2 ? argv[2] : "MC300";
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
  if (rc == PRT_SUCCESS) printf("label sent to %s\n", argv[1]);
  return rc == PRT_SUCCESS ? 0 : 1;
}
