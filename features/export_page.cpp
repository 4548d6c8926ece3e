#include <cmath>

#include "features/export_formats.h"

namespace features {
namespace {

using base::Text;

std::string textOf(base::Language language, Text id) {
    return jsonString(utf8(base::textIn(language, id)));
}

std::string pointValue(float value) {
    if (std::isnan(value)) return "null";
    return std::to_string(std::lround(value * 1000) / 1000.0).substr(0, 5);
}

// The page's own markup, style and script: nothing is fetched from elsewhere, so it works on a
// network without the internet and shows nothing of the user to a third party.
constexpr const char* kPageHead = R"page(<!DOCTYPE html>
<html lang="@LANG@"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>KorvaNT</title>
<style>
body{font-family:system-ui,sans-serif;margin:0;padding:12px;background:#f4f5f7;color:#222}
h1{font-size:1.2em;margin:0 0 8px}
.grid{display:grid;grid-template-columns:repeat(auto-fit,minmax(150px,1fr));gap:8px}
.card{background:#fff;border-radius:8px;padding:8px 10px;box-shadow:0 1px 2px #0002}
.label{font-size:.8em;color:#666}.value{font-size:1.4em;font-variant-numeric:tabular-nums}
svg{width:100%;height:120px;background:#fff;border-radius:8px;margin-top:8px}
#state{font-size:.8em;color:#a00;min-height:1em}
.cpu{stroke:#2a7;fill:none;stroke-width:1.5}.memory{stroke:#36c;fill:none;stroke-width:1.5}
.key{font-size:.8em}.key .c{color:#2a7}.key .m{color:#36c}
</style></head><body>
<h1 id="title"></h1><div id="state"></div>
<div class="grid">
<div class="card"><div class="label" id="lcpu"></div><div class="value" id="cpu">-</div></div>
<div class="card"><div class="label" id="lmemory"></div><div class="value" id="memory">-</div></div>
<div class="card"><div class="label" id="lreceived"></div><div class="value" id="received">-</div></div>
<div class="card"><div class="label" id="lsent"></div><div class="value" id="sent">-</div></div>
<div class="card"><div class="label" id="luptime"></div><div class="value" id="uptime">-</div></div>
</div>
<div class="card" style="margin-top:8px"><div class="label" id="ldrives"></div><div id="drives"></div></div>
<div class="key" id="lhour"></div>
<svg viewBox="0 0 360 100" preserveAspectRatio="none"><polyline class="cpu" id="pcpu"/><polyline class="memory" id="pmemory"/></svg>
<script>
)page";

constexpr const char* kPageScript = R"page(
const $=id=>document.getElementById(id);
document.title=T.title;$("title").textContent=T.title;
for(const k of ["cpu","memory","received","sent","uptime","drives"])$("l"+k).textContent=T[k];
$("lhour").innerHTML='<span class="c">\u25A0</span> '+T.cpu+' <span class="m">\u25A0</span> '+T.memory+' \u2014 ';
$("lhour").append(T.hour);
const pct=r=>(r*100).toFixed(0)+" %";
const size=b=>{const u=["B","KB","MB","GB","TB"];let i=0;while(b>=1024&&i<4){b/=1024;i++}return b.toFixed(i?1:0)+" "+u[i]};
const dur=s=>{s=Math.floor(s);const d=Math.floor(s/86400),h=Math.floor(s%86400/3600),m=Math.floor(s%3600/60);return(d?d+"d ":"")+h+":"+String(m).padStart(2,"0")};
function draw(){for(const k of ["cpu","memory"]){let p="";P.forEach((v,i)=>{const y=v[k=="cpu"?0:1];if(y!==null)p+=i+","+(100-y*100).toFixed(1)+" "});$("p"+k).setAttribute("points",p)}}
let ticks=0;
async function poll(){try{const r=await fetch("/data.json",{cache:"no-store"});const d=await r.json();
$("state").textContent="";const c=d.cpu_usage_ratio??null;$("cpu").textContent=c===null?"-":pct(c);
$("memory").textContent=pct(d.memory_used_bytes/Math.max(1,d.memory_total_bytes))+" ("+size(d.memory_used_bytes)+")";
$("received").textContent=size(d.network_received_bytes_total);$("sent").textContent=size(d.network_sent_bytes_total);
$("uptime").textContent=dur(d.system_uptime_seconds);
const ds=$("drives");ds.textContent="";for(const v of d.drives){const e=document.createElement("div");e.textContent=v.drive+" "+size(v.free_bytes)+" "+T.free+" / "+size(v.size_bytes);ds.append(e)}
if(++ticks%STEP==0){P.push([c,d.memory_used_bytes/Math.max(1,d.memory_total_bytes)]);if(P.length>3600/STEP)P.shift();draw()}
}catch(e){$("state").textContent=T.offline}}
draw();poll();setInterval(poll,1000);
</script></body></html>
)page";

}  // namespace

std::string pageHtml(base::Language language, const std::vector<ChartPoint>& points) {
    std::string page = kPageHead;
    page.replace(page.find("@LANG@"), 6, language == base::Language::English ? "en" : "ja");
    page += "const T={title:" + textOf(language, Text::ExportPageTitle);
    page += ",cpu:" + textOf(language, Text::ExportPageCpu);
    page += ",memory:" + textOf(language, Text::ExportPageMemory);
    page += ",received:" + textOf(language, Text::ExportPageReceived);
    page += ",sent:" + textOf(language, Text::ExportPageSent);
    page += ",uptime:" + textOf(language, Text::ExportPageUptime);
    page += ",drives:" + textOf(language, Text::ExportPageDrives);
    page += ",free:" + textOf(language, Text::ExportPageFree);
    page += ",hour:" + textOf(language, Text::ExportPageLastHour);
    page += ",offline:" + textOf(language, Text::ExportPageOffline) + "};\n";
    page += "const STEP=" + std::to_string(kChartStepSeconds) + ";\nconst P=[";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i) page += ',';
        page += '[' + pointValue(points[i].cpu) + ',' + pointValue(points[i].memory) + ']';
    }
    page += "];";
    return page + kPageScript;
}

}  // namespace features
