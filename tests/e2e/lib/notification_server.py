#!/usr/bin/python3
# Owns org.freedesktop.Notifications on the session bus; writes one line per
# Notify to the file $1: app|summary|body|image size|first image pixel.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


class Server(dbus.service.Object):
    @dbus.service.method("org.freedesktop.Notifications", in_signature="susssasa{sv}i",
                         out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        w, h, stride, alpha, bits, channels, data = hints["image-data"]
        pixel = ",".join(str(int(b)) for b in data[:3])
        with open(sys.argv[1], "a") as f:
            f.write("|".join([app, summary, body, "%dx%d" % (w, h), pixel]) + "\n")
        return 1


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
server = Server(bus, "/org/freedesktop/Notifications")
name = dbus.service.BusName("org.freedesktop.Notifications", bus)  # released when collected
open(sys.argv[1] + ".ready", "w").close()
GLib.MainLoop().run()
