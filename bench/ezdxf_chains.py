#!/usr/bin/python3
"""The same chains made with ezdxf (Debian's python3-ezdxf), for side_by_side.sh.

    bench/ezdxf_chains.py make N FILE.dxf   N chains of 10 points as linear dimensions
                                            sharing their dimension line, saved
    bench/ezdxf_chains.py read FILE.dxf     the file read back

Prints the CPU seconds of the work (process time, without starting Python).
"""
import sys
import time

import ezdxf

POINTS = 10


def make(n, path):
    doc = ezdxf.new("R2000", setup=True)
    msp = doc.modelspace()
    for i in range(n):
        y = 10.0 * i
        for k in range(POINTS - 1):
            dim = msp.add_linear_dim(base=(0.5, y + 3), p1=(k, y), p2=(k + 1, y), dimstyle="EZDXF")
            dim.render()
    doc.saveas(path)


def main():
    start = time.process_time()
    if sys.argv[1] == "make":
        make(int(sys.argv[2]), sys.argv[3])
    else:
        ezdxf.readfile(sys.argv[2])
    print(f"{time.process_time() - start:.3f}")


if __name__ == "__main__":
    main()
