#ifndef CHANNELSELECTOR_H
#define CHANNELSELECTOR_H

// The channel key that Levels and Sharpen share: 1 red, 2 green, 3 blue. Every
// other value, 0 included, means all colour channels, so a stored string with an
// unknown channel still does something sensible.

#include <Magick++.h>

inline Magick::ChannelType selectedChannel(int channel)
{
    switch (channel) {
    case 1:
        return Magick::RedChannel;
    case 2:
        return Magick::GreenChannel;
    case 3:
        return Magick::BlueChannel;
    default:
        return Magick::AllChannels;
    }
}

#endif
