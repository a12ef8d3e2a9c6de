#!/usr/bin/env python3
"""Writes form bodies as the program's result page posts them, one per line,
with FPS values spread over 10 to 500, for post.lua:
    make_bodies.py COUNT > bodies.txt"""
import base64
import random
import sys
import urllib.parse


def flattened(fps: float) -> str:
    record = (f"MSA:4\nMode:1\nFPS:{fps:f}\nScreenW:1024\nScreenH:768\n"
              "GL_VERSION:4.5 (Compatibility Profile) Mesa 22.3.6\n"
              "GL_RENDERER:llvmpipe (LLVM 15.0.6, 256 bits)\nGL_VENDOR:Mesa\nENDE:ENDE\n"
              "MGTS:12.500000\n\nOSVer:6.1.0\nBit:64\nVersion:2.33\n\n"
              "CPU-Name:Example CPU @ 3.00GHz\n\nMemory:0\n")
    return record.replace("=", "-").replace(":", "=").replace("&", "").replace(
        "\r", "").replace("\n", "&")


def encoded(text: str) -> str:
    inner = base64.b64encode(text.encode("cp1252")).decode("ascii")
    return base64.b64encode(inner[::-1].encode("ascii")).decode("ascii")


random.seed(25)
for _ in range(int(sys.argv[1])):
    value = encoded(flattened(random.uniform(10.0, 500.0)))
    print("pelvorndata_img=&pelvorndata=" + urllib.parse.quote(value, safe=""))
