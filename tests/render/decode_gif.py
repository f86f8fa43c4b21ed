# Decodes a GIF file with Pillow: prints what it read and writes each composed frame's palette
# indices, one after another, to a second file.
import sys

from PIL import GifImagePlugin, Image

GifImagePlugin.LOADING_STRATEGY = GifImagePlugin.LoadingStrategy.RGB_AFTER_DIFFERENT_PALETTE_ONLY

with Image.open(sys.argv[1]) as im, open(sys.argv[2], "wb") as raw:
    print("version", im.info["version"].decode())
    print("size", *im.size)
    print("loop", im.info.get("loop", "none"))
    print("palette", bytes(im.getpalette()[:384]).hex())
    frames = 0
    while True:
        im.load()
        if im.mode != "P":
            sys.exit("frame %d decoded as %s" % (frames, im.mode))
        raw.write(im.tobytes())
        print("duration", im.info.get("duration", "none"))
        frames += 1
        try:
            im.seek(frames)
        except EOFError:
            break
    print("frames", frames)
