# Reads a GIF or PNG picture with Pillow: prints its facts and each frame's rectangle, and writes
# every frame as a viewer shows it (palette indices, earlier frames underneath) to a second file.
import sys

from PIL import GifImagePlugin, Image

GifImagePlugin.LOADING_STRATEGY = GifImagePlugin.LoadingStrategy.RGB_AFTER_DIFFERENT_PALETTE_ONLY

with Image.open(sys.argv[1]) as im, open(sys.argv[2], "wb") as raw:
    print("format", im.format, im.info.get("version", b"-").decode())
    print("size", *im.size)
    print("loop", im.info.get("loop", "none"))
    frames = 0
    while True:
        box = im.tile[0][1] if im.tile else (0, 0) + im.size
        im.load()
        if im.mode != "P":
            sys.exit("frame %d decoded as %s" % (frames, im.mode))
        raw.write(im.tobytes())
        print("frame", *box, im.info.get("duration", "none"))
        frames += 1
        try:
            im.seek(frames)
        except EOFError:
            break
