#pragma once

class PIX_MemBitmap;

// One node of the process-wide list of image decoders that can read files: the decoder,
// the file-dialog filter text it offers, and the next node. Nodes are linked at load time.
struct ImageLoader
{
    // Decodes the file into `into` (or a new bitmap); null when it cannot. With
    // checkExtension set, a path with another extension is refused.
    PIX_MemBitmap* (*load)(const char* path, bool checkExtension, PIX_MemBitmap* into);
    const char* (*fileFilter)();
    ImageLoader* next;
};

// Links the node at the front of the list.
void RegisterImageLoader(ImageLoader& loader);
// The most recently registered node, or null.
ImageLoader* FirstImageLoader();
