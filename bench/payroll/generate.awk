# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a payroll file of EMPLOYEES employees × 12 months of YEAR, month by month as a payroll
# system exports it (all employees of January, then February …), with every known column, a
# name and a department to copy through, and fixed pseudo-random wages (the same file each run).
#   awk -v employees=100000 -v year=2026 -f generate.awk > payroll.csv
BEGIN {
    srand(20261207)
    if (!employees) employees = 100000
    if (!year) year = 2026
    header = "工号,姓名,部门,所属期,本期收入,本期免税收入,专项扣除,专项附加扣除,其他扣除,受雇起始期,全年减除6万"
    print header (mixed ? ",所得项目,奖金计税方式,当地上年职工平均工资" : "")
    split("劳务报酬,稿酬所得,特许权使用费所得", payment, ",")
    for (e = 1; e <= employees; e++) {
        wage[e] = 3000 + int(rand() * 60000) + int(rand() * 100) / 100
        special[e] = int(wage[e] * 10.5) / 100
        additional[e] = (e % 5) * 1000
        # Every tenth employee names the first month employed: since an earlier year.
        start[e] = (e % 10 == 0) ? sprintf("%d-%02d", year - 1 - e % 5, 1 + e % 12) : ""
        whole[e] = (e % 50 == 0) ? "是" : "否"
    }
    for (m = 1; m <= 12; m++)
        for (e = 1; e <= employees; e++) {
            kind = mixed ? KindOf(e, m) : ""
            if (kind == "" || kind == "工资薪金")
                printf "E%06d,员工%d,部门%d,%d-%02d,%.2f,0,%.2f,%d,0,%s,%s%s\n", e, e, e % 37,
                    year, m, wage[e], special[e], additional[e], start[e], whole[e],
                    mixed ? "," kind ",," : ""
            else
                printf "E%06d,员工%d,部门%d,%d-%02d,%.2f,,,,,,,%s,%s,%s\n", e, e, e % 37, year, m,
                    kind == "解除劳动关系补偿金" ? wage[e] * 30 : wage[e], kind,
                    e % 10 == 5 ? "并入综合所得" : "", kind == "解除劳动关系补偿金" ? "120000" : ""
        }
}

function KindOf(e, m) {
    if (e % 10 >= 1 && e % 10 <= 3) return payment[e % 10]
    if (m < 12) return "工资薪金"
    if (e % 10 == 4 || e % 10 == 5) return "全年一次性奖金"
    if (e % 10 == 6) return "解除劳动关系补偿金"
    return "工资薪金"
}
