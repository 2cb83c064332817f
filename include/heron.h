/*
 * heron.h - libheron: TSPL label printers.
 *
 * The Prt family (handles, ports, raw data, messages) is declared in prt.h
 * and documented there.  Link with -lheron (pkg-config heron).
 */
#ifndef RAVO_HERON_H
#define RAVO_HERON_H

#include "prt.h"

#endif /* RAVO_HERON_H */
