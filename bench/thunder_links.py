#!/usr/bin/env python3
"""Reads Thunder links from standard input, one a line, and prints the address of each: the
per-line script a user would write instead of tarvik-link."""
import base64
import sys

for line in sys.stdin.buffer:
    link = line.strip()
    address = base64.b64decode(link[10:])[2:-2]
    sys.stdout.buffer.write(address + b"\n")
