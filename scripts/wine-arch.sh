#!/usr/bin/env bash
# Prints the Windows architecture whose programs this machine can run under Wine: x86 when the
# kernel runs 32-bit code (the shipped target), x64 otherwise (some kernels turn 32-bit
# emulation off; then the same sources are tested as a 64-bit build).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo x86; else echo x64; fi
