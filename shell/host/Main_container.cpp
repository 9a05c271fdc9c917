#include "shell/host/Main_container.h"

#include <QFile>

#include "platform/classlib/Classes_Streams.h"
#include "platform/classlib/SysUtils.h"

namespace {

void Load_List(TSCLContainerCtrl& container, const std::string& name)
{
    QFile file(QString::fromStdString(":/artwork/" + name + ".dat"));
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError("The main container's " + name + " is missing");
    const QByteArray data = file.readAll();
    TMemoryStream stream;
    stream.WriteBuffer(data.constData(), static_cast<int>(data.size()));
    stream.SetPosition(0);
    container.ReadList(name, stream);
}

} // namespace

void Load_Main_Container(TSCLContainerCtrl& Container)
{
    Load_List(Container, "BitmapList");
    Load_List(Container, "ImageList");
}
